// Linked instead of the video exporter where the video libraries are missing (the Windows build).
#include "app/film_export.h"

int ExportFilm(const CommandLineOptions&, const Console& console) {
    console.err << "lumenvale: export is not available in this build" << std::endl;
    return 1;
}
