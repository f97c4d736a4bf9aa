// app/userInterface.h
// Dear ImGui with its GLFW and OpenGL back ends, the caption font and the missing-font warning box.
#pragma once

struct AppOptions;
struct ContentFile;

// False when the linked Dear ImGui is not the version the overlay and the warning box were written for. Without the
// font, the viewer is warned in the window unless the desktop's box has told them already.
bool setUpUserInterface(const AppOptions& options, const ContentFile& font, bool fontWarningShown);
// The size captions are laid out for, measured once the font is in the atlas.
float captionFontSize();
// One user-interface frame, begun and rendered by the same two calls wherever the demo draws one.
void beginUiFrame();
void renderUiFrame();
void shutDownUserInterface();
