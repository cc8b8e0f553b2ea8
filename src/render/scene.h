#pragma once

#include <glm/gtc/matrix_transform.hpp>
#include <vector>

#include "base/console.h"
#include "gfx/mesh.h"
#include "gfx/texture.h"
#include "gfx/water_plane.h"
#include "plants/plant_manager.h"
#include "render/frame_sky.h"
#include "render/scene_assembly.h"
#include "render/scene_layout.h"
#include "render/screen_quad.h"
#include "render/shader_programs.h"
#include "render/shadow_map.h"
#include "render/star_field.h"
#include "render/terrain_chunks.h"
#include "render/view_volume.h"

// Every object the film is made of, built once in the order the members are declared (which is
// the start-up order) and kept for the whole run. Needs the window's GL context; runs from the
// directory that holds shaders/ and resources/; its start-up lines go to `console`. Throws
// StartupFailure when a model cannot be loaded, ShaderFileError when a shader file cannot be
// opened.
struct Scene {
    // `withFullPath`: also keeps what only the renderer's full path draws (RenderShortcuts::None)
    // uploaded, to compare pictures and costs against it; the player does without.
    explicit Scene(Console console, bool withFullPath = false);
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // Deletes the shader programs, the stars' vertex array and buffer and the screen quad's
    // vertex array, in that order, while the context is current; the context takes the rest
    // with it.
    void Release();

    const Console console;
    const bool keepsFullPath;
    ShadowTarget shadow = CreateShadowTarget();
    ScreenQuad screenQuad = CreateScreenQuad();
    ShaderPrograms programs = BuildShaderPrograms(console.err);
    FrameSkyLight frameSky;

    Texture brickTexture{"resources/brick.png", "diffuse", 0, console};
    Texture moonTexture{"resources/moon_texture.png", "diffuse", 0, console};

    WaterPlane waterPlane{300.0f, 300.0f, glm::vec3(0.0f, 0.3f, 0.6f)};
    glm::mat4 waterModel = scene_layout::WaterModel();
    // The boxes of the sea's pieces in world space, so that a pass can leave out those it
    // cannot see.
    std::vector<Bounds> seaPieceBounds = BoundsOfRuns(waterPlane, waterPlane.pieces, waterModel);

    // Loaded so that a broken installation shows at start-up; never drawn, released at once.
    std::vector<Mesh> statueMeshes = LoadModel("resources/models/statue/12338_Statue_v1_L3.obj",
                                               "Failed to create STATUE model", console);
    std::vector<Mesh> wellMeshes =
        LoadModel("resources/models/well/well.obj", "Failed to create WELL model", console);
    glm::mat4 wellModel = scene_layout::WellModel();
    std::vector<Bounds> wellBounds = BoundsOfEach(wellMeshes, wellModel);  // in world space
    // The terrain as loaded; once chunked, kept only for the full path (else emptied).
    std::vector<Mesh> terrainMeshes = LoadModel("resources/models/islands/islands.obj",
                                                "Failed to create TERRAIN model", console);
    glm::mat4 terrainModel = scene_layout::TerrainModel();

    // The terrain in world space: plants grow on its vertices. Like every mesh's vertex list it
    // is emptied once the scene is built (the GL buffers hold what the passes draw).
    std::vector<Vertex> terrainVertices = WorldSpaceVertices(terrainMeshes, terrainModel);
    PlantManager plantManager;
    PlantBatch plants = GrowPlants(plantManager, terrainVertices, console.out);
    // The full path's plants: one mesh per plant, as generated (empty without the full path).
    std::vector<Mesh> plantMeshes =
        keepsFullPath ? plantManager.CreatePlantMeshes() : std::vector<Mesh>();
    TerrainChunks terrainChunks = ChunkTerrain(terrainMeshes, terrainModel);

    std::vector<Mesh> fireflyMeshes = LoadModel("resources/models/firefly/Firefly_Flit.obj",
                                                "Failed to create FIREFLY model", console);
    glm::mat4 fireflyModel = scene_layout::FireflyRestModel();

    Mesh sunMesh = SunQuadMesh(brickTexture);
    glm::mat4 sunModel = glm::translate(glm::mat4(1.0f), scene_layout::SunStartPosition());
    Mesh moonMesh = SunQuadMesh(moonTexture);
    glm::mat4 moonModel = glm::translate(glm::mat4(1.0f), scene_layout::SunStartPosition());
    Mesh skyMesh = SkyDomeMesh(brickTexture);
    StarField stars = CreateStarField();
    Mesh flareQuadMesh = FlareQuadMesh(brickTexture);

  private:
    // The values the programs keep from the start, or until a pass replaces them.
    void SetStartupUniforms();
    void ReleaseUploadedVertices();
    static void ReleaseMeshes(std::vector<Mesh>& meshes);
};
