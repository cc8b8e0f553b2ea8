#include "obj_writer.h"

#include <cstdio>
#include <memory>

namespace {

using FilePtr = std::unique_ptr<FILE, int (*)(FILE*)>;

FilePtr OpenForWriting(const std::string& path) {
    return FilePtr(std::fopen(path.c_str(), "wb"), &std::fclose);
}

bool WriteMtl(const std::vector<Material>& materials, const std::string& path) {
    FilePtr file = OpenForWriting(path);
    if (!file) return false;
    for (const Material& m : materials) {
        std::fprintf(file.get(), "newmtl %s\n", m.name.c_str());
        std::fprintf(file.get(), "Ka 0.000 0.000 0.000\n");
        std::fprintf(file.get(), "Kd %.4f %.4f %.4f\n", m.diffuseColor.r, m.diffuseColor.g,
                     m.diffuseColor.b);
        std::fprintf(file.get(), "Ks 0.000 0.000 0.000\n");
        std::fprintf(file.get(), "illum 1\n");
        if (!m.diffuseMap.empty()) std::fprintf(file.get(), "map_Kd %s\n", m.diffuseMap.c_str());
        if (!m.emissiveMap.empty()) {
            std::fprintf(file.get(), "Ke 1.000 1.000 1.000\n");
            std::fprintf(file.get(), "map_Ke %s\n", m.emissiveMap.c_str());
        }
        std::fprintf(file.get(), "\n");
    }
    return std::ferror(file.get()) == 0;
}

}  // namespace

bool WriteObjModel(const Model& model, const std::string& directory, const std::string& baseName) {
    if (!WriteMtl(model.materials, directory + "/" + baseName + ".mtl")) return false;
    FilePtr file = OpenForWriting(directory + "/" + baseName + ".obj");
    if (!file) return false;
    FILE* out = file.get();
    const ModelMesh& mesh = model.mesh;
    std::fprintf(out, "mtllib %s.mtl\n", baseName.c_str());
    for (const glm::vec3& p : mesh.positions)
        std::fprintf(out, "v %.5f %.5f %.5f\n", p.x, p.y, p.z);
    for (const glm::vec2& t : mesh.uvs) std::fprintf(out, "vt %.5f %.5f\n", t.x, t.y);
    for (const glm::vec3& n : mesh.normals) std::fprintf(out, "vn %.4f %.4f %.4f\n", n.x, n.y, n.z);
    for (size_t m = 0; m < model.materials.size(); ++m) {
        bool started = false;
        for (const ModelMesh::Triangle& t : mesh.triangles) {
            if (t.material != static_cast<int>(m)) continue;
            if (!started) {
                std::fprintf(out, "g %s\nusemtl %s\n", model.materials[m].name.c_str(),
                             model.materials[m].name.c_str());
                started = true;
            }
            // OBJ indices count from 1; position, texture coordinate and normal share an index.
            const unsigned a = t.corners[0] + 1, b = t.corners[1] + 1, c = t.corners[2] + 1;
            std::fprintf(out, "f %u/%u/%u %u/%u/%u %u/%u/%u\n", a, a, a, b, b, b, c, c, c);
        }
    }
    return std::ferror(out) == 0;
}
