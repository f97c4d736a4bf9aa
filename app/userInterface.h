// app/userInterface.h
// Dear ImGui with its GLFW and OpenGL back ends, the caption font and the missing-font warning box.
#pragma once

struct AppOptions;

// False when the linked Dear ImGui is not the version the overlay and the warning box were written for.
bool setUpUserInterface(const AppOptions& options);
// The caption layout for this target width, measured once the font is in the atlas.
void computeStartupCaptionMetrics(int targetWidth);
void shutDownUserInterface();
