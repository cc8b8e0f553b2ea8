// A frame of an export against the frame the player itself draws at the same film time.
#include <algorithm>
#include <cmath>
#include <memory>
#include <ostream>

#include "app/film.h"
#include "app/frame_loop.h"
#include "base/stepped_clock.h"
#include "export/export_process.h"
#include "export/media_reader.h"
#include "render/render_target.h"
#include "support/console_lines.h"
#include "support/gl_context.h"
#include "support/temp_files.h"

namespace {

constexpr int kFps = 30;
constexpr std::int64_t kFrame = 40 * kFps;  // film second 40

// Keeps the player's picture of one frame as top-down RGB rows, and draws no other.
class KeepOneFrame final : public FrameOutput {
  public:
    KeepOneFrame(const SteppedClock& clock, std::int64_t frame) : clock(clock), frame(frame) {}
    bool WantsPicture() const override { return clock.Frame() == frame; }
    void Present() override {
        if (!WantsPicture()) return;
        const std::vector<std::uint8_t> bottomUp = FrameTarget::Window().ReadRgb();
        const std::size_t row = kWindowWidth * 3;
        for (int y = kWindowHeight - 1; y >= 0; --y) {
            picture.insert(picture.end(), bottomUp.begin() + y * row,
                           bottomUp.begin() + (y + 1) * row);
        }
    }
    std::vector<std::uint8_t> picture;

  private:
    const SteppedClock& clock;
    std::int64_t frame;
};

// The player's own frame loop, on a clock that steps like the export's, up to `frame`.
std::vector<std::uint8_t> PlayerFrame(GLFWwindow* window, std::int64_t frame) {
    ConsoleLines console;
    auto stepped = std::make_unique<SteppedClock>(kFps);
    SteppedClock& clock = *stepped;
    Film film(console, kWindowWidth, kWindowHeight, std::move(stepped));
    KeepOneFrame output(clock, frame);
    FrameLoop loop(window, film, output, console);
    for (; clock.Frame() <= frame; clock.Advance()) loop.RunFrame();
    film.Release();
    EXPECT_EQ(console.TakeErr(), "");
    return output.picture;
}

class ExportPicture : public GlTest {};

}  // namespace

TEST_F(ExportPicture, EqualsThePlayersFrameAtTheSameFilmTimeWithinAFewLevels) {
    const TempDir dir;
    const std::string path = (dir.path() / "frame.mp4").string();
    const ProgramResult exported = RunLumenvale(
        {"--export", path, "--from", "40", "--to", "40.03", "--fps", std::to_string(kFps)});
    ASSERT_EQ(exported.status, 0) << exported.err;
    const std::vector<std::uint8_t> video = DecodePictures(path);
    const std::vector<std::uint8_t> player = PlayerFrame(window(), kFrame);
    ASSERT_EQ(video.size(), player.size());

    std::vector<int> differences(video.size());
    double total = 0.0;
    for (std::size_t i = 0; i < video.size(); ++i) {
        differences[i] = std::abs(video[i] - player[i]);
        total += differences[i];
    }
    std::nth_element(differences.begin(), differences.begin() + differences.size() * 99 / 100,
                     differences.end());
    // Compression leaves about 1.5 levels on average and 6 at the 99th percentile; the
    // neighbouring frame, a thirtieth of a second off, already differs by 16 there.
    EXPECT_LT(total / video.size(), 2.0);
    EXPECT_LE(differences[differences.size() * 99 / 100], 10);
}
