// platform/gpuPreferenceWin32.cpp
// The drivers of hybrid laptops (NVIDIA Optimus, AMD PowerXpress) read these exports and run the program on the
// discrete GPU instead of the integrated one; nothing calls them, so the build tells the linker to keep them.
#include <windows.h>

extern "C" {
__declspec(dllexport) DWORD NvOptimusEnablement = 1;
__declspec(dllexport) int AmdPowerXpressRequestHighPerformance = 1;
}
