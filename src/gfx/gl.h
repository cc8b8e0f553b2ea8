#pragma once

// The one place that includes the OpenGL loader: it must precede any other GL header.
#include <glad/gl.h>
