#include "render/scene.h"

#include <algorithm>
#include <cstring>

#include "gfx/gl.h"
#include "gfx/uniforms.h"
#include "render/shadow_map.h"

Scene::Scene(Console console, bool withFullPath) : console(console), keepsFullPath(withFullPath) {
    SetStartupUniforms();
    ReleaseUploadedVertices();
    // Only what a pass draws stays on the GPU: the statue never is, and the chunks draw the
    // terrain, whose meshes as loaded served the plants and the chunks.
    ReleaseMeshes(statueMeshes);
    if (!keepsFullPath) ReleaseMeshes(terrainMeshes);
}

void Scene::Release() {
    DeleteShaderPrograms(programs);
    glDeleteVertexArrays(1, &stars.starVAO);
    glDeleteBuffers(1, &stars.starVBO);
    glDeleteVertexArrays(1, &screenQuad.screenQuadVAO);
}

namespace {

bool HasMap(const Mesh& mesh, const char* type) {
    return std::any_of(mesh.textures.begin(), mesh.textures.end(), [type](const Texture& texture) {
        return std::strcmp(texture.type, type) == 0;
    });
}

// What the terrain shader takes from the terrain's maps: 0 nothing (the material's colour), 1 the
// ground's colour from the diffuse map, 2 also the detail tile from the emissive one (the islands'
// own material names both). Another model's maps are used only as far as every mesh has them.
int GroundMaps(const std::vector<Mesh>& terrain) {
    const auto all = [&](const char* type) {
        return !terrain.empty() && std::all_of(terrain.begin(), terrain.end(),
                                               [type](const Mesh& m) { return HasMap(m, type); });
    };
    if (!all("diffuse")) return 0;
    return all("emissive") ? 2 : 1;
}

}  // namespace

void Scene::ReleaseMeshes(std::vector<Mesh>& meshes) {
    for (Mesh& mesh : meshes) mesh.Delete();
    meshes.clear();
}

// Once uploaded, vertices live in the GL buffers; the copies served the start-up work (plant
// placement, boxes, chunks) and go. The index lists stay: every draw counts them.
void Scene::ReleaseUploadedVertices() {
    for (std::vector<Mesh>* meshes : {&statueMeshes, &wellMeshes, &terrainMeshes, &plantMeshes,
                                      &fireflyMeshes, &terrainChunks.meshes}) {
        for (Mesh& mesh : *meshes) std::vector<Vertex>().swap(mesh.vertices);
    }
    std::vector<Vertex>().swap(plants.mesh.vertices);
    std::vector<Vertex>().swap(waterPlane.vertices);
    std::vector<Vertex>().swap(terrainVertices);
}

void Scene::SetStartupUniforms() {
    const glm::vec4 white(1.0f);
    const glm::vec3 pointLightPos(0.0f, 1.0f, -3.0f);
    const glm::vec3 startLightPos(1.0f, 1.0f, 0.0f);
    const glm::mat4 identity(1.0f);

    programs.water.Activate();
    SetUniform(programs.water, "model", waterModel);
    SetUniform(programs.water, "lightColor", white);
    SetUniform(programs.water, "lightPos", pointLightPos);

    programs.firefly.Activate();
    SetUniform(programs.firefly, "model", fireflyModel);
    SetUniform(programs.firefly, "glowStrength", 3.5f);

    // Well and terrain are lit the same way and also read the shadow map on unit 5; the plants
    // never sample it.
    const struct {
        Shader& program;
        const glm::mat4& model;
        bool shadowed;
    } litObjects[] = {{programs.well, wellModel, true},
                      {programs.terrain, terrainModel, true},
                      {programs.plant, identity, false}};
    for (const auto& lit : litObjects) {
        lit.program.Activate();
        SetUniform(lit.program, "model", lit.model);
        SetUniform(lit.program, "lightColor", white);
        SetUniform(lit.program, "lightPos", startLightPos);
        SetUniform(lit.program, "pointLightPos", pointLightPos);
        SetUniform(lit.program, "bothLight", 0);
        if (lit.shadowed) SetUniform(lit.program, "shadowMap", 5);
    }

    programs.terrain.Activate();
    SetUniform(programs.terrain, "groundMaps", GroundMaps(terrainMeshes));
    frameSky.Connect(
        {&programs.terrain, &programs.plant, &programs.well, &programs.water, &programs.sky});

    programs.sun.Activate();
    SetUniform(programs.sun, "model", sunModel);
    SetUniform(programs.sun, "lightColor", white);
    SetUniform(programs.sun, "sunPosition", scene_layout::SunStartPosition());

    programs.moon.Activate();
    SetUniform(programs.moon, "model", moonModel);
    SetUniform(programs.moon, "lightColor", white);
}
