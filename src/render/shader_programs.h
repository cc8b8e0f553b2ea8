#pragma once

#include <array>
#include <ostream>

#include "gfx/shader.h"

// The fifteen programs of the scene.
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

// The files of one program under shaders/ and where it is kept.
struct ProgramFiles {
    const char* name;
    const char* vertex;
    const char* fragment;
    Shader ShaderPrograms::*program;
};

// Every program of the scene, in the order they are built.
extern const std::array<ProgramFiles, 15> kProgramFiles;

// Builds every program from its files under shaders/, with the numbers they share with the
// program (render/shader_constants.h), reporting compile and link problems on `err`. Throws
// ShaderFileError when a file cannot be opened.
ShaderPrograms BuildShaderPrograms(std::ostream& err);

// Deletes every program, shadow first and fade last.
void DeleteShaderPrograms(ShaderPrograms& programs);
