#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "gfx/gl.h"
// The loader comes before GLFW.
#include <GLFW/glfw3.h>

#include "app/window_mode.h"
#include "render/film_view.h"

// Initialises GLFW and opens the 1920x1080 "Lumenvale" window with an OpenGL 3.3 core context;
// null when it cannot be created, after saying why on `err`. A hidden window serves for
// rendering offline.
GLFWwindow* OpenMainWindow(std::ostream& err, bool visible = true);

// Makes the window's context current and loads the GL entry points.
void LoadGlEntryPoints(GLFWwindow* window);

// The viewport stays 1920x1080 for the whole run: nothing reacts to resizing.
void SetFixedViewport();

// Opens the player's window in `mode`: the film's own window, full screen on the primary monitor
// at the monitor's own mode, a window of the given size, or the largest 16:9 window that fits the
// primary monitor's work area. Null when it cannot be created, after saying why on `err`.
GLFWwindow* OpenPlayerWindow(const WindowMode& mode, std::ostream& err);

bool IsFullScreen(GLFWwindow* window);

// Takes the window full screen on the primary monitor at its own mode, remembering its place in
// `windowed`; or back to that place (a window that started full screen gets the largest 16:9
// window that fits). Returns the console line telling the new mode, or nothing when the platform
// leaves full screen to others (the browser's page).
std::optional<std::string> ToggleFullScreen(GLFWwindow* window, PixelRect& windowed);
