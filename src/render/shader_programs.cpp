#include "render/shader_programs.h"

#include "render/shader_constants.h"

ShaderPrograms BuildShaderPrograms(std::ostream& err) {
    const std::vector<ShaderDefine>& constants = SceneShaderConstants();
    // Braced initialisation runs in the order written, which is the build order.
    return ShaderPrograms{
        Shader("shaders/terrain_shader.vert", "shaders/terrain_shader.frag", err, constants),
        Shader("shaders/default.vert", "shaders/default.frag", err, constants),
        Shader("shaders/default.vert", "shaders/default.frag", err, constants),
        Shader("shaders/firefly_glow.vert", "shaders/firefly_glow.frag", err, constants),
        Shader("shaders/water.vert", "shaders/water.frag", err, constants),
        Shader("shaders/light_shader.vert", "shaders/light_shader.frag", err, constants),
        Shader("shaders/sun_shader.vert", "shaders/sun_shader.frag", err, constants),
        Shader("shaders/moon_shader.vert", "shaders/moon_shader.frag", err, constants),
        Shader("shaders/sky_shader.vert", "shaders/sky_shader.frag", err, constants),
        Shader("shaders/star_shader.vert", "shaders/star_shader.frag", err, constants),
        Shader("shaders/lens_flare.vert", "shaders/lens_flare.frag", err, constants),
        Shader("shaders/shadow_depth.vert", "shaders/shadow_depth.frag", err, constants),
        Shader("shaders/postprocess.vert", "shaders/gaussian_blur.frag", err, constants),
        Shader("shaders/postprocess.vert", "shaders/glow_composite.frag", err, constants),
        Shader("shaders/fade.vert", "shaders/fade.frag", err, constants),
    };
}

void DeleteShaderPrograms(ShaderPrograms& programs) {
    for (Shader* program : {&programs.shadow, &programs.firefly, &programs.moon, &programs.light,
                            &programs.sun, &programs.sky, &programs.star, &programs.lensFlare,
                            &programs.water, &programs.well, &programs.terrain, &programs.plant,
                            &programs.blur, &programs.glowComposite, &programs.fade}) {
        program->Delete();
    }
}
