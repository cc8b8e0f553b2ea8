#pragma once

#include <cstdint>
#include <istream>
#include <string>

// The run-time files a user can replace — models, material libraries, textures, shaders and the
// music — are read only when they are regular files of a bounded size. A FIFO or a device would
// block start-up for ever or never end, so anything but a regular file is refused before it is
// opened.

// Empty when `path` names a regular file of at most `maxBytes` bytes; otherwise one phrase that
// says why not ("no such file", "is a folder, not a file", ...).
std::string ContentFileProblem(const std::string& path, std::uint64_t maxBytes);

struct ContentFile {
    std::string bytes;
    std::string error;  // one phrase, empty on success
};

// The whole file, after the check above, read as far as the bound (ReadAtMost): a file that grows
// past the bound while it is being read, or a file of the kernel's that claims a size of 0 and
// never ends, is refused the same way.
ContentFile ReadContentFile(const std::string& path, std::uint64_t maxBytes);

// The text without the byte-order mark that editors on Windows put at its start.
std::string StripByteOrderMark(std::string text);

// Appends what `in` holds to `bytes`: false, once it has read past `maxBytes`, when it holds
// more, whatever size its file claims. It reads whole chunks of 64 KiB (at most one past the
// bound): some files of the kernel's refuse reads of other sizes.
bool ReadAtMost(std::istream& in, std::uint64_t maxBytes, std::string& bytes);

// The phrase for a file found larger than `maxBytes` as it was read.
std::string LargerThanAllowed(std::uint64_t maxBytes);

// The bound in words, for the phrases above: "64 MiB", "512 KiB", "100 bytes".
std::string ByteCountText(std::uint64_t bytes);
