// cmake/layerCheck.cpp
// Never run: linking it with every object of one layer and only the layers below proves no call points upwards.
int main()
{
    return 0;
}
