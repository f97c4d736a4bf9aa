// app/softwareRenderer.h
// Spots a software rasteriser by the GL renderer string: there the live show cannot keep pace.
#pragma once

bool isSoftwareRenderer(const char* renderer);
// After start-up: one log line that points at the video capture when the context renders in software.
void logSoftwareRendererNote();
