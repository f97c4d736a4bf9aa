// app/userInterface.h
// Dear ImGui with its GLFW and OpenGL back ends, the caption font and the missing-font warning box.
#pragma once

struct AppOptions;

// False when the linked Dear ImGui is not the version the overlay and the warning box were written for.
bool setUpUserInterface(const AppOptions& options);
// The size captions are laid out for, measured once the font is in the atlas.
float captionFontSize();
// One user-interface frame, begun and rendered by the same two calls wherever the demo draws one.
void beginUiFrame();
void renderUiFrame();
void shutDownUserInterface();
