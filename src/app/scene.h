#pragma once

#include "app/shader_programs.h"

// Every object the scene is built from. It lives as a local of the entry point for the whole
// run; nothing in it is created or destroyed while frames run.
struct Scene {
    ShaderPrograms programs;
};
