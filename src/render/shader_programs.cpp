#include "render/shader_programs.h"

ShaderPrograms BuildShaderPrograms() {
    // Braced initialisation runs in the order written, which is the build order.
    return ShaderPrograms{
        Shader("shaders/terrain_shader.vert", "shaders/terrain_shader.frag"),
        Shader("shaders/default.vert", "shaders/default.frag"),
        Shader("shaders/default.vert", "shaders/default.frag"),
        Shader("shaders/firefly_glow.vert", "shaders/firefly_glow.frag"),
        Shader("shaders/water.vert", "shaders/water.frag"),
        Shader("shaders/light_shader.vert", "shaders/light_shader.frag"),
        Shader("shaders/sun_shader.vert", "shaders/sun_shader.frag"),
        Shader("shaders/moon_shader.vert", "shaders/moon_shader.frag"),
        Shader("shaders/sky_shader.vert", "shaders/sky_shader.frag"),
        Shader("shaders/star_shader.vert", "shaders/star_shader.frag"),
        Shader("shaders/lens_flare.vert", "shaders/lens_flare.frag"),
        Shader("shaders/shadow_depth.vert", "shaders/shadow_depth.frag"),
        Shader("shaders/postprocess.vert", "shaders/gaussian_blur.frag"),
        Shader("shaders/postprocess.vert", "shaders/glow_composite.frag"),
        Shader("shaders/fade.vert", "shaders/fade.frag"),
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
