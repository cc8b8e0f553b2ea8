#include <emscripten.h>

#include "app/frame_driver.h"
#include "base/page_web.h"

namespace {

std::function<void()> pageFrame;

// The page counts the frames shown, so that a viewer's tools can wait for the next one.
void ShowPageFrame() {
    pageFrame();
    lumenvale_frame_shown();
}

}  // namespace

// The page's own frame rate; the stack is left for good, so the caller's locals are gone.
void DriveFrames(GLFWwindow* /*window*/, std::function<void()> frame) {
    pageFrame = std::move(frame);
    emscripten_set_main_loop(ShowPageFrame, 0, 1);
}
