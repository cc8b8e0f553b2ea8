#include <ostream>

#include "gfx/shader.h"
#include "render/pass_states.h"
#include "render/sun_cover.h"

namespace {

constexpr const char* kProbeVertex =
    "#version 300 es\n"
    "uniform vec3 probe;  // where the point lies, in normalised device coordinates\n"
    "void main() {\n"
    "    gl_Position = vec4(probe, 1.0);\n"
    "    gl_PointSize = 1.0;\n"
    "}\n";
constexpr const char* kProbeFragment =
    "#version 300 es\n"
    "precision mediump float;\n"
    "out vec4 colour;\n"
    "void main() { colour = vec4(1.0); }\n";

}  // namespace

// One query in flight at a time; its answer is the one used until the next arrives.
struct SunCoverTest::Probe {
    GLuint program = 0;
    GLuint vertexArray = 0;
    GLuint query = 0;
    GLint probeLocation = -1;
    bool pending = false;
    bool covered = false;

    explicit Probe(std::ostream& err) {
        const GlBuild built = LinkProgram(CompileStage(GL_VERTEX_SHADER, kProbeVertex).id,
                                          CompileStage(GL_FRAGMENT_SHADER, kProbeFragment).id);
        program = built.id;
        if (!built.ok) err << "Sun cover probe: its program did not link" << std::endl;
        probeLocation = glGetUniformLocation(program, "probe");
        glGenVertexArrays(1, &vertexArray);
        glGenQueries(1, &query);
    }
    ~Probe() {
        glDeleteQueries(1, &query);
        glDeleteVertexArrays(1, &vertexArray);
        glDeleteProgram(program);
    }

    void CollectAnswer() {
        if (!pending) return;
        GLuint available = GL_FALSE;
        glGetQueryObjectuiv(query, GL_QUERY_RESULT_AVAILABLE, &available);
        if (!available) return;
        GLuint samplesPassed = 0;
        glGetQueryObjectuiv(query, GL_QUERY_RESULT, &samplesPassed);
        covered = samplesPassed == 0;
        pending = false;
    }

    // A point at the sun's centre, just nearer than the sun, passes the depth test exactly where
    // the stored depth does not hide the sun. It writes neither colour nor depth.
    void Ask(const SunOnScreen& sun, int width, int height) {
        ApplyPassState(pass_states::kSunCoverProbe);
        glUseProgram(program);
        glUniform3f(probeLocation, (sun.readPixel.x + 0.5f) / width * 2.0f - 1.0f,
                    (sun.readPixel.y + 0.5f) / height * 2.0f - 1.0f,
                    (sun.depth - kSunCoverTolerance) * 2.0f - 1.0f);
        glBindVertexArray(vertexArray);
        glBeginQuery(GL_ANY_SAMPLES_PASSED, query);
        glDrawArrays(GL_POINTS, 0, 1);
        glEndQuery(GL_ANY_SAMPLES_PASSED);
        glBindVertexArray(0);
        pending = true;
    }
};

SunCoverTest::SunCoverTest(std::ostream& err) : err(err) {}
SunCoverTest::~SunCoverTest() = default;

bool SunCoverTest::Covered(const SunOnScreen& sun, int width, int height) {
    if (!probe) probe = std::make_unique<Probe>(err);
    probe->CollectAnswer();
    if (!probe->pending) probe->Ask(sun, width, height);
    return probe->covered;
}
