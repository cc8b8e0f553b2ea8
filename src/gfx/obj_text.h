#pragma once

#include <string>

// What OBJ files written by other tools carry that the parser would misread, mended in the text
// before it is parsed: a UTF-8 byte-order mark (it would hide the first line's keyword),
// backslashes in material library paths (Windows tools write them; they separate folders there
// and escape the next character to the parser), and faces of more corners than the parser can
// triangulate in reasonable time, which become fans of kObjFacePieceCorners-corner polygons
// sharing the first corner. Lines may end in a line feed, a carriage return or both.
std::string PrepareObjText(std::string text);

// A texture or library path as a material file writes it, with backslashes made forward slashes.
std::string WithForwardSlashes(std::string path);
