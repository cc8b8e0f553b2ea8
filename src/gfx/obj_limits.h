#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>

// Limits that keep a hostile OBJ file from hanging start-up or exhausting memory. Our models are
// triangles and quads; the generated terrain, the largest, has a few hundred thousand corners.

// Each triangle corner becomes a 44-byte vertex and a 4-byte index: 4 M corners is ~200 MB,
// beyond what any model of ours needs by an order of magnitude.
constexpr std::uint64_t kMaxObjCorners = 4'000'000;
// A file holding that many corners with long index triples, and its vertices, fits.
constexpr std::uint64_t kMaxObjFileBytes = 256ull << 20;
// One line: a face of a few hundred thousand corners still fits.
constexpr std::size_t kMaxObjLineBytes = 1 << 20;
// The parser splits a polygon into triangles in time that grows with the square of its corners,
// so a larger face is cut into fans of this many corners first (obj_text.h).
constexpr std::size_t kObjFacePieceCorners = 64;
// Material libraries are a few lines a material.
constexpr std::uint64_t kMaxMtlFileBytes = 16ull << 20;

// What separates the words of a line.
inline bool IsObjBlank(char c) {
    return c == ' ' || c == '\t';
}

// Scans the file's text once without keeping it. Lines end at a line feed, a carriage return or
// both. Empty when the file is within the limits and every number of a position, normal or
// texture coordinate is written as a number (the parser would read "nan" or "inf" as 0),
// otherwise one phrase naming the first problem and where.
std::string ObjLimitProblem(std::istream& in);
