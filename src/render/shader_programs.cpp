#include "render/shader_programs.h"

ShaderPrograms BuildShaderPrograms(std::ostream& err) {
    // Braced initialisation runs in the order written, which is the build order.
    return ShaderPrograms{
        Shader("shaders/terrain_shader.vert", "shaders/terrain_shader.frag", err),
        Shader("shaders/default.vert", "shaders/default.frag", err),
        Shader("shaders/default.vert", "shaders/default.frag", err),
        Shader("shaders/firefly_glow.vert", "shaders/firefly_glow.frag", err),
        Shader("shaders/water.vert", "shaders/water.frag", err),
        Shader("shaders/light_shader.vert", "shaders/light_shader.frag", err),
        Shader("shaders/sun_shader.vert", "shaders/sun_shader.frag", err),
        Shader("shaders/moon_shader.vert", "shaders/moon_shader.frag", err),
        Shader("shaders/sky_shader.vert", "shaders/sky_shader.frag", err),
        Shader("shaders/star_shader.vert", "shaders/star_shader.frag", err),
        Shader("shaders/lens_flare.vert", "shaders/lens_flare.frag", err),
        Shader("shaders/shadow_depth.vert", "shaders/shadow_depth.frag", err),
        Shader("shaders/postprocess.vert", "shaders/gaussian_blur.frag", err),
        Shader("shaders/postprocess.vert", "shaders/glow_composite.frag", err),
        Shader("shaders/fade.vert", "shaders/fade.frag", err),
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
