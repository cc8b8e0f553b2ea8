// Start-up cost of the plants with the start-up arguments (height limit 0.5, 200 attempts,
// seed 42) on the islands terrain: the CPU work of placing them and growing their world-space
// geometry, and separately the upload of that geometry into meshes.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "gfx/gl.h"
// the loader must come first
#include <GLFW/glfw3.h>

#include "app/window_system.h"
#include "plants/islands_terrain.h"
#include "plants/plant_manager.h"
#include "plants/world_plant_geometry.h"

namespace {

const float kHeightLimit = 0.5f;
const int kAttempts = 200;
const uint32_t kSeed = 42;

// Run from the repository root after the resources are built.
std::vector<Vertex> LoadTerrain() {
    std::vector<Vertex> terrain = IslandsTerrainVertices();
    if (terrain.empty()) {
        std::fprintf(stderr, "cannot read %s\n", kIslandsPath);
        std::exit(1);
    }
    return terrain;
}

const std::vector<Vertex>& Terrain() {
    static const std::vector<Vertex> terrain = LoadTerrain();
    return terrain;
}

std::vector<MeshGeometry> BuildAll(const PlantManager& manager) {
    std::vector<MeshGeometry> geometries;
    geometries.reserve(manager.plants.size());
    for (size_t i = 0; i < manager.plants.size(); ++i) {
        geometries.push_back(BuildWorldPlantGeometry(manager.plants[i], static_cast<uint32_t>(i)));
    }
    return geometries;
}

void BM_PlacePlants(benchmark::State& state) {
    PlantManager manager;
    for (auto _ : state) {
        manager.GeneratePlantsOnTerrain(Terrain(), kHeightLimit, kAttempts, kSeed);
        benchmark::DoNotOptimize(manager.plants.data());
    }
    state.counters["plants"] = static_cast<double>(manager.plants.size());
}
BENCHMARK(BM_PlacePlants)->Unit(benchmark::kMillisecond);

void BM_PlaceAndGrowGeometry(benchmark::State& state) {
    PlantManager manager;
    size_t vertexCount = 0;
    for (auto _ : state) {
        manager.GeneratePlantsOnTerrain(Terrain(), kHeightLimit, kAttempts, kSeed);
        // One plant at a time, as the mesh building does before each upload.
        vertexCount = 0;
        for (size_t i = 0; i < manager.plants.size(); ++i) {
            const MeshGeometry geometry =
                BuildWorldPlantGeometry(manager.plants[i], static_cast<uint32_t>(i));
            vertexCount += geometry.vertices.size();
            benchmark::DoNotOptimize(geometry.vertices.data());
        }
    }
    state.counters["plants"] = static_cast<double>(manager.plants.size());
    state.counters["vertices"] = static_cast<double>(vertexCount);
}
BENCHMARK(BM_PlaceAndGrowGeometry)->Unit(benchmark::kMillisecond);

// Meshes never free their GL objects; the benchmark does, so that repeated runs do not pile up
// buffers in the driver.
void Release(std::vector<Mesh>& meshes) {
    for (Mesh& mesh : meshes) {
        glBindVertexArray(mesh.vao.ID);
        GLint buffers[2] = {0, 0};
        glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &buffers[0]);
        glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING, &buffers[1]);
        glBindVertexArray(0);
        const GLuint names[2] = {static_cast<GLuint>(buffers[0]), static_cast<GLuint>(buffers[1])};
        glDeleteBuffers(2, names);
        mesh.vao.Delete();
    }
    meshes.clear();
}

bool g_haveContext = false;

void BM_UploadPlantMeshes(benchmark::State& state) {
    if (!g_haveContext) {
        state.SkipWithError("no OpenGL 3.3 core context (run under Xvfb)");
        return;
    }
    PlantManager manager;
    manager.GeneratePlantsOnTerrain(Terrain(), kHeightLimit, kAttempts, kSeed);
    std::vector<MeshGeometry> geometries = BuildAll(manager);
    std::vector<Texture> noTextures;
    std::vector<Mesh> meshes;
    for (auto _ : state) {
        for (MeshGeometry& geometry : geometries) {
            meshes.emplace_back(geometry.vertices, geometry.indices, noTextures);
        }
        glFinish();
        state.PauseTiming();
        Release(meshes);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UploadPlantMeshes)->Unit(benchmark::kMillisecond);

// The whole start-up step as the program runs it.
void BM_PlaceAndCreatePlantMeshes(benchmark::State& state) {
    if (!g_haveContext) {
        state.SkipWithError("no OpenGL 3.3 core context (run under Xvfb)");
        return;
    }
    PlantManager manager;
    for (auto _ : state) {
        manager.GeneratePlantsOnTerrain(Terrain(), kHeightLimit, kAttempts, kSeed);
        std::vector<Mesh> meshes = manager.CreatePlantMeshes();
        glFinish();
        state.PauseTiming();
        Release(meshes);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PlaceAndCreatePlantMeshes)->Unit(benchmark::kMillisecond);

bool MakeContext() {
    if (!StartWindowSystem()) {
        return false;
    }
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* window = glfwCreateWindow(64, 64, "bench_plants", nullptr, nullptr);
    if (!window) {
        return false;
    }
    glfwMakeContextCurrent(window);
    return gladLoadGL(glfwGetProcAddress) != 0;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    g_haveContext = MakeContext();
    if (!g_haveContext) {
        std::fprintf(stderr, "no OpenGL context: the upload benchmarks are skipped\n");
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    glfwTerminate();
    return 0;
}
