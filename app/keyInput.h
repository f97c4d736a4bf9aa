// app/keyInput.h
// The demo's one input: Escape ends it.
#pragma once

struct GLFWwindow;

void installWindowHandlers(GLFWwindow* window);
// While a message box is up, Escape dismisses the box instead of ending the demo.
void setEscapeQuits(bool quits);
