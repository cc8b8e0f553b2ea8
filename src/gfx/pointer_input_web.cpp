// In the browser the window library cannot move the cursor or hide it: the page locks the
// pointer while the left button is held, and the cursor position then adds up the mouse's
// movements. Key presses are queued by a callback, since the browser's library has no sticky keys.
#include <emscripten.h>

#include <algorithm>
#include <array>

#include "base/page_web.h"
#include "gfx/pointer_input.h"

namespace {

// Each key's presses not yet seen by the film, and what this frame says of the key. At a few
// frames a second two presses of one key can fall into one frame, or a press into the frame
// right after the one that saw the last: every press is told as a frame with the key down after
// a frame with it up, so that each acts once, a frame later when it must wait.
struct KeyPresses {
    int waiting = 0;
    long frame = -1;    // the frame the answer below is for
    bool down = false;  // the answer for that frame
};
std::array<KeyPresses, GLFW_KEY_LAST + 1> presses{};
glm::dvec2 lastCursor(0.0);

long PageFrame() {
    return lumenvale_frames_shown();
}

void QueuePress(int key) {
    if (key >= 0 && key <= GLFW_KEY_LAST) ++presses[key].waiting;
}

void LatchPress(GLFWwindow* /*window*/, int key, int /*scancode*/, int action, int /*mods*/) {
    if (action == GLFW_PRESS) QueuePress(key);
}

}  // namespace

// The page's own controls press the film's keys: the same actions, and the same lines.
extern "C" EMSCRIPTEN_KEEPALIVE void lumenvale_press_key(int key) {
    QueuePress(key);
}

void KeepShortPresses(GLFWwindow* window) {
    glfwSetKeyCallback(window, LatchPress);
    lumenvale_publish_keys(GLFW_KEY_SPACE, GLFW_KEY_C, GLFW_KEY_M, GLFW_KEY_LEFT, GLFW_KEY_RIGHT,
                           GLFW_KEY_LEFT_SHIFT);
}

// The same answer however often a frame asks.
bool KeyDown(GLFWwindow* window, int key) {
    if (key < 0 || key > GLFW_KEY_LAST) return false;
    KeyPresses& state = presses[key];
    const long frame = PageFrame();
    if (state.frame == frame) return state.down;
    // A key nobody asked about last frame (the flying keys while the film plays) keeps only its
    // latest press, which the first question after the pause takes.
    if (state.frame != frame - 1) state.waiting = std::min(state.waiting, 1);
    const bool wasDown = state.frame == frame - 1 && state.down;
    if (state.waiting > 0 && !wasDown) {
        --state.waiting;
        state.down = true;
    } else {
        state.down = state.waiting == 0 && glfwGetKey(window, key) == GLFW_PRESS;
    }
    state.frame = frame;
    return state.down;
}

std::optional<glm::dvec2> DragLookPosition(GLFWwindow* window, bool& firstClick, int width,
                                           int height) {
    if (glfwGetMouseButton(window, GLFW_MOUSE_BUTTON_LEFT) != GLFW_PRESS) {
        firstClick = true;
        return std::nullopt;
    }
    glm::dvec2 cursor(0.0);
    glfwGetCursorPos(window, &cursor.x, &cursor.y);
    if (firstClick) {
        lastCursor = cursor;
        firstClick = false;
    }
    const glm::dvec2 moved = cursor - lastCursor;
    lastCursor = cursor;
    return glm::dvec2(width / 2, height / 2) + moved;
}
