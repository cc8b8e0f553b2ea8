#include "gfx/obj_loader.h"

#include <tiny_obj_loader.h>

#include <cmath>
#include <cstddef>
#include <map>
#include <ostream>
#include <streambuf>

#include "base/content_file.h"
#include "gfx/obj_limits.h"
#include "gfx/obj_text.h"
#include "gfx/texture.h"

namespace {

// Text already in memory, read by the parser in place.
class TextStream : private std::streambuf, public std::istream {
  public:
    explicit TextStream(std::string& text) : std::istream(this) {
        setg(text.data(), text.data(), text.data() + text.size());
    }
};

// Material libraries are read like every other run-time file: only regular files of a bounded
// size, with the byte-order mark removed, from the model's directory.
class MaterialLibraryReader : public tinyobj::MaterialReader {
  public:
    explicit MaterialLibraryReader(std::string baseDir) : baseDir(std::move(baseDir)) {}

    bool operator()(const std::string& name, std::vector<tinyobj::material_t>* materials,
                    std::map<std::string, int>* materialIds, std::string* warning,
                    std::string* error) override {
        const std::string path = baseDir + WithForwardSlashes(name);
        ContentFile file = ReadContentFile(path, kMaxMtlFileBytes);
        if (!file.error.empty()) {
            *warning += "Material file [ " + path + " ] " + file.error + "\n";
            return false;
        }
        std::string text = StripByteOrderMark(std::move(file.bytes));
        TextStream stream(text);
        tinyobj::LoadMtl(materialIds, materials, &stream, warning, error);
        return true;
    }

  private:
    std::string baseDir;
};

struct MaterialLook {
    glm::vec3 diffuseColor;
    std::string diffuseTexture;
    std::string emissiveTexture;
};

// Models without a material library still deserve their faces: they get one plain white
// material.
std::vector<MaterialLook> MaterialLooks(const std::vector<tinyobj::material_t>& materials,
                                        const std::string& baseDir) {
    if (materials.empty()) return {{glm::vec3(1.0f), "", ""}};
    std::vector<MaterialLook> looks;
    looks.reserve(materials.size());
    for (const tinyobj::material_t& material : materials) {
        const auto withDir = [&](const std::string& name) {
            return name.empty() ? name : baseDir + WithForwardSlashes(name);
        };
        looks.push_back({glm::vec3(material.diffuse[0], material.diffuse[1], material.diffuse[2]),
                         withDir(material.diffuse_texname), withDir(material.emissive_texname)});
    }
    return looks;
}

bool IndexInRange(int index, std::size_t count) {
    return index >= 0 && static_cast<std::size_t>(index) < count;
}

// The parser accepts indices beyond the arrays it read (it only warns), so every corner is
// checked before any is used. Indices are reported as the file numbers them, from 1.
bool CornersInRange(const std::string& path, const tinyobj::attrib_t& attrib,
                    const std::vector<tinyobj::shape_t>& shapes, std::ostream& out) {
    const std::size_t positions = attrib.vertices.size() / 3;
    const std::size_t normals = attrib.normals.size() / 3;
    const std::size_t texcoords = attrib.texcoords.size() / 2;
    const auto report = [&](const char* kind, int index, std::size_t count, const char* kinds) {
        out << "ERR: " << path << ": a face uses " << kind << " index " << index + 1
            << ", but the file defines " << count << " " << kinds << std::endl;
        return false;
    };
    for (const tinyobj::shape_t& shape : shapes) {
        for (const tinyobj::index_t& corner : shape.mesh.indices) {
            if (!IndexInRange(corner.vertex_index, positions))
                return report("position", corner.vertex_index, positions, "positions");
            if (corner.normal_index >= 0 && !IndexInRange(corner.normal_index, normals))
                return report("normal", corner.normal_index, normals, "normals");
            if (corner.texcoord_index >= 0 && !IndexInRange(corner.texcoord_index, texcoords))
                return report("texture coordinate", corner.texcoord_index, texcoords,
                              "texture coordinates");
        }
    }
    return true;
}

bool Refuse(std::ostream& out, const std::string& path, const std::string& why) {
    out << "ERR: " << path << ": " << why << std::endl;
    return false;
}

// The file's text, read only when it is a regular file within the limits, mended for the parser.
bool ReadObjText(const std::string& path, std::string& text, std::ostream& out) {
    ContentFile file = ReadContentFile(path, kMaxObjFileBytes);
    if (file.error == "no such file") {
        out << "ERR: Cannot open file [" << path << "]\n" << std::endl;
        return false;
    }
    if (!file.error.empty()) return Refuse(out, path, file.error);
    TextStream stream(file.bytes);
    if (const std::string problem = ObjLimitProblem(stream); !problem.empty())
        return Refuse(out, path, problem);
    text = PrepareObjText(std::move(file.bytes));
    return true;
}

bool AllFinite(const std::vector<tinyobj::real_t>& values) {
    for (const tinyobj::real_t value : values)
        if (!std::isfinite(value)) return false;
    return true;
}

// What the parser accepted but no model of ours can be drawn from: nothing to draw, or numbers
// that would poison every transform, bound and placement computed from them.
bool Drawable(const std::string& path, const tinyobj::attrib_t& attrib,
              const std::vector<tinyobj::shape_t>& shapes, std::ostream& out) {
    std::size_t corners = 0;
    for (const tinyobj::shape_t& shape : shapes) corners += shape.mesh.indices.size();
    if (corners == 0) return Refuse(out, path, "the file has no faces");
    if (!AllFinite(attrib.vertices)) return Refuse(out, path, "a position is not a finite number");
    if (!AllFinite(attrib.normals)) return Refuse(out, path, "a normal is not a finite number");
    if (!AllFinite(attrib.texcoords))
        return Refuse(out, path, "a texture coordinate is not a finite number");
    return true;
}

Vertex CornerVertex(const tinyobj::attrib_t& attrib, const tinyobj::index_t& corner,
                    const glm::vec3& color) {
    Vertex vertex{};
    const std::size_t p = 3 * static_cast<std::size_t>(corner.vertex_index);
    vertex.position = glm::vec3(attrib.vertices[p], attrib.vertices[p + 1], attrib.vertices[p + 2]);
    vertex.color = color;
    vertex.normal = glm::vec3(0.0f, 1.0f, 0.0f);
    if (corner.normal_index >= 0) {
        const std::size_t n = 3 * static_cast<std::size_t>(corner.normal_index);
        vertex.normal = glm::vec3(attrib.normals[n], attrib.normals[n + 1], attrib.normals[n + 2]);
    }
    if (corner.texcoord_index >= 0) {
        const std::size_t t = 2 * static_cast<std::size_t>(corner.texcoord_index);
        vertex.texUV = glm::vec2(attrib.texcoords[t], attrib.texcoords[t + 1]);
    }
    return vertex;
}

}  // namespace

std::string ObjBaseDir(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool ReadObjGeometry(const std::string& path, std::vector<ObjMaterialGeometry>& materials,
                     std::ostream& out) {
    std::string text;
    if (!ReadObjText(path, text, out)) return false;
    const std::string baseDir = ObjBaseDir(path);
    tinyobj::attrib_t attrib;
    std::vector<tinyobj::shape_t> shapes;
    std::vector<tinyobj::material_t> parsedMaterials;
    std::string warning, error;
    MaterialLibraryReader libraries(baseDir);
    TextStream stream(text);
    const bool parsed = tinyobj::LoadObj(&attrib, &shapes, &parsedMaterials, &warning, &error,
                                         &stream, &libraries, true, true);
    if (!warning.empty()) out << "WARN: " << warning << std::endl;
    if (!error.empty()) out << "ERR: " << error << std::endl;
    if (!parsed || !CornersInRange(path, attrib, shapes, out) ||
        !Drawable(path, attrib, shapes, out))
        return false;

    const std::vector<MaterialLook> looks = MaterialLooks(parsedMaterials, baseDir);
    std::vector<ObjMaterialGeometry> buckets(looks.size());
    for (const tinyobj::shape_t& shape : shapes) {
        std::size_t firstCorner = 0;
        for (std::size_t face = 0; face < shape.mesh.num_face_vertices.size(); ++face) {
            const std::size_t corners = shape.mesh.num_face_vertices[face];
            const int id = shape.mesh.material_ids[face];
            const std::size_t material = id >= 0 && static_cast<std::size_t>(id) < looks.size()
                                             ? static_cast<std::size_t>(id)
                                             : 0;
            ObjMaterialGeometry& bucket = buckets[material];
            for (std::size_t c = 0; c < corners; ++c) {
                bucket.indices.push_back(static_cast<GLuint>(bucket.vertices.size()));
                bucket.vertices.push_back(CornerVertex(attrib, shape.mesh.indices[firstCorner + c],
                                                       looks[material].diffuseColor));
            }
            firstCorner += corners;
        }
    }

    materials.clear();
    for (std::size_t m = 0; m < buckets.size(); ++m) {
        if (buckets[m].vertices.empty()) continue;
        buckets[m].diffuseTexture = looks[m].diffuseTexture;
        buckets[m].emissiveTexture = looks[m].emissiveTexture;
        materials.push_back(std::move(buckets[m]));
    }
    return true;
}

bool LoadOBJ(const std::string& path, std::vector<Mesh>& meshes, const Console& console) {
    std::vector<ObjMaterialGeometry> materials;
    if (!ReadObjGeometry(path, materials, console.out)) return false;
    meshes.clear();
    for (ObjMaterialGeometry& material : materials) {
        std::vector<Texture> textures;
        if (!material.diffuseTexture.empty())
            textures.emplace_back(material.diffuseTexture.c_str(), "diffuse", 0, console);
        if (!material.emissiveTexture.empty())
            textures.emplace_back(material.emissiveTexture.c_str(), "emissive",
                                  static_cast<GLuint>(textures.size()), console);
        meshes.emplace_back(material.vertices, material.indices, textures);
    }
    return true;
}
