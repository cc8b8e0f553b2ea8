#include "render/shader_programs.h"

#include "render/shader_constants.h"

const std::array<ProgramFiles, 15> kProgramFiles = {{
    {"terrain", "shaders/terrain_shader.vert", "shaders/terrain_shader.frag",
     &ShaderPrograms::terrain},
    {"plant", "shaders/default.vert", "shaders/default.frag", &ShaderPrograms::plant},
    {"well", "shaders/default.vert", "shaders/default.frag", &ShaderPrograms::well},
    {"firefly", "shaders/firefly_glow.vert", "shaders/firefly_glow.frag", &ShaderPrograms::firefly},
    {"water", "shaders/water.vert", "shaders/water.frag", &ShaderPrograms::water},
    {"light", "shaders/light_shader.vert", "shaders/light_shader.frag", &ShaderPrograms::light},
    {"sun", "shaders/sun_shader.vert", "shaders/sun_shader.frag", &ShaderPrograms::sun},
    {"moon", "shaders/moon_shader.vert", "shaders/moon_shader.frag", &ShaderPrograms::moon},
    {"sky", "shaders/sky_shader.vert", "shaders/sky_shader.frag", &ShaderPrograms::sky},
    {"star", "shaders/star_shader.vert", "shaders/star_shader.frag", &ShaderPrograms::star},
    {"lensFlare", "shaders/lens_flare.vert", "shaders/lens_flare.frag", &ShaderPrograms::lensFlare},
    {"shadow", "shaders/shadow_depth.vert", "shaders/shadow_depth.frag", &ShaderPrograms::shadow},
    {"blur", "shaders/postprocess.vert", "shaders/gaussian_blur.frag", &ShaderPrograms::blur},
    {"glowComposite", "shaders/postprocess.vert", "shaders/glow_composite.frag",
     &ShaderPrograms::glowComposite},
    {"fade", "shaders/fade.vert", "shaders/fade.frag", &ShaderPrograms::fade},
}};

ShaderPrograms BuildShaderPrograms(std::ostream& err) {
    const std::vector<ShaderDefine>& constants = SceneShaderConstants();
    ShaderPrograms programs;
    for (const ProgramFiles& files : kProgramFiles)
        programs.*files.program = Shader(files.vertex, files.fragment, err, constants);
    return programs;
}

// Shutdown releases them in an order of its own, not the order they were built in.
void DeleteShaderPrograms(ShaderPrograms& programs) {
    for (Shader* program : {&programs.shadow, &programs.firefly, &programs.moon, &programs.light,
                            &programs.sun, &programs.sky, &programs.star, &programs.lensFlare,
                            &programs.water, &programs.well, &programs.terrain, &programs.plant,
                            &programs.blur, &programs.glowComposite, &programs.fade}) {
        program->Delete();
    }
}
