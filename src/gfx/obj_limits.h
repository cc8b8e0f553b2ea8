#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>

// Limits that keep a hostile OBJ file from hanging start-up or exhausting memory. Our models are
// triangles and quads; the generated terrain, the largest, has a few hundred thousand corners.

// The parser splits a polygon into triangles in time that grows with the square of its corners;
// real modelling tools rarely write more than a few dozen corners to one face.
constexpr std::size_t kMaxObjFaceCorners = 1024;
// A line holding the largest face still fits, with every corner a long position/uv/normal triple.
constexpr std::size_t kMaxObjLineBytes = 64 * 1024;
// Each triangle corner becomes a 44-byte vertex and a 4-byte index: 4 M corners is ~200 MB,
// beyond what any model of ours needs by an order of magnitude.
constexpr std::uint64_t kMaxObjCorners = 4'000'000;

// Scans the file's text once without keeping it. Empty when the file is within the limits,
// otherwise one phrase naming the first limit broken and where.
std::string ObjLimitProblem(std::istream& in);
