// app/messageBox.h
// A modal warning drawn inside the demo's own window: a separate desktop dialog would sit behind it.
#pragma once

struct GLFWwindow;

// Shows caption, an exclamation sign, text and an OK button until OK, Enter or Escape; the same
// text goes to standard error. Needs the user-interface layer with its back ends initialised.
void showWarningBox(GLFWwindow* window, const char* caption, const char* text);
