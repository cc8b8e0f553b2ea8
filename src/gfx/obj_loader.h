#pragma once

#include <string>
#include <vector>

#include "base/console.h"
#include "gfx/gl.h"
#include "gfx/mesh.h"
#include "gfx/vertex.h"

// The geometry of one material of an OBJ model, ready to upload: every triangle corner is its
// own vertex (indices 0, 1, 2, ...), coloured with the material's Kd. The texture paths already
// include the model's directory and are empty when the material names no such map.
struct ObjMaterialGeometry {
    std::vector<Vertex> vertices;
    std::vector<GLuint> indices;
    std::string diffuseTexture;
    std::string emissiveTexture;
};

// The directory part of `path` up to and including its last '/'; empty when there is none.
// Backslashes are not separators.
std::string ObjBaseDir(const std::string& path);

// Parses the OBJ file (triangulated) with its material library and sorts the faces into one
// geometry per material that has faces, in material order. Faces without a valid material go
// to the first material; a model without materials gets one white untextured material.
// The parser's warnings and errors are printed on `out` as "WARN: " and "ERR: " lines. Returns
// false, leaving `materials` as it was, with an "ERR: " line naming the file, when the file breaks
// the limits of obj_limits.h, the parser fails, a face corner refers to a position, normal or
// texture coordinate that the file does not have, a number is not finite or there are no faces at
// all.
bool ReadObjGeometry(const std::string& path, std::vector<ObjMaterialGeometry>& materials,
                     std::ostream& out);

// Reads the model and replaces `meshes` with one mesh per material that has faces; the diffuse
// texture (if any) goes on unit 0, the emissive one on the next unit; the model's and the
// textures' lines go to `console`. Returns false, leaving `meshes` as it was, when the model
// cannot be read.
bool LoadOBJ(const std::string& path, std::vector<Mesh>& meshes, const Console& console);
