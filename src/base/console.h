#pragma once

#include <ostream>

// Where the program's console lines go: progress and diagnostics on `out`, failures on `err`.
// The entry point hands over the process's standard output and standard error; tests hand over
// streams of their own and read what was written. Every number written to `out` follows the
// format `out` is in, so one stream serves the whole run.
struct Console {
    std::ostream& out;
    std::ostream& err;
};
