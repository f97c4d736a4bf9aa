// gpu/renderSettings.cpp
#include "gpu/renderSettings.h"

RenderSettings renderSettings;
