#pragma once

#include <ostream>

#include "gfx/gl.h"
// The loader comes before GLFW.
#include <GLFW/glfw3.h>

#include "render/film_view.h"

// Initialises GLFW and opens the 1920x1080 "Lumenvale" window with an OpenGL 3.3 core context;
// null when it cannot be created, after saying why on `err`. A hidden window serves for
// rendering offline.
GLFWwindow* OpenMainWindow(std::ostream& err, bool visible = true);

// Makes the window's context current and loads the GL entry points.
void LoadGlEntryPoints(GLFWwindow* window);

// The viewport stays 1920x1080 for the whole run: nothing reacts to resizing.
void SetFixedViewport();
