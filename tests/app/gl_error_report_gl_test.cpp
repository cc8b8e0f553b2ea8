// The per-frame GL error report of the soak and sanitizer builds, on a real context.
#include <sstream>

#include "app/gl_error_report.h"
#include "support/gl_context.h"

class GlErrorReport : public GlTest {};

TEST_F(GlErrorReport, ReportsEachErrorOnceWhereEnabledAndLeavesThemAloneElsewhere) {
    while (glGetError() != GL_NO_ERROR) {
    }
    glEnable(0xFFFF);  // no such capability: GL_INVALID_ENUM
    std::ostringstream err;
    ReportGlErrors(err);
    if (GlErrorReportsEnabled()) {
        EXPECT_EQ(err.str(), "GL error 0x0500\n");
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    } else {
        EXPECT_EQ(err.str(), "");
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_ENUM)) << "the error was consumed";
    }
    std::ostringstream quiet;
    ReportGlErrors(quiet);
    EXPECT_EQ(quiet.str(), "");
}
