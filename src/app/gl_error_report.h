#pragma once

#include <ostream>

// In a build configured with LUMENVALE_GL_ERROR_CHECK=ON (the soak and sanitizer trees), writes
// one line per GL error the frame raised, "GL error 0x0502", and one for each upload to a uniform
// its program lacks, "GL error: program 7 has no uniform "fadeAlpha"" (once for each program and
// name), to `err`. In the film's own build it does nothing: asking for errors every frame would
// make the driver finish its queued work.
void ReportGlErrors(std::ostream& err);
// Whether this build reports them.
bool GlErrorReportsEnabled();
