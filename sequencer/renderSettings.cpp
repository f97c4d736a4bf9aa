// sequencer/renderSettings.cpp
#include "sequencer/renderSettings.h"

RenderSettings renderSettings;
