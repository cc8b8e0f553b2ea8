#pragma once

#include <ostream>

#include "gfx/shader.h"

// The fifteen programs of the scene, in the order they are built.
struct ShaderPrograms {
    Shader terrain;
    Shader plant;  // same sources as `well`, but its own uniform values
    Shader well;
    Shader firefly;
    Shader water;
    Shader light;  // built but not drawn with
    Shader sun;
    Shader moon;
    Shader sky;
    Shader star;
    Shader lensFlare;
    Shader shadow;
    Shader blur;           // built but not drawn with
    Shader glowComposite;  // built but not drawn with
    Shader fade;
};

// Builds every program from its files under shaders/, with the numbers they share with the
// program (render/shader_constants.h), reporting compile and link problems on `err`. Throws
// ShaderFileError when a file cannot be opened.
ShaderPrograms BuildShaderPrograms(std::ostream& err);

void DeleteShaderPrograms(ShaderPrograms& programs);
