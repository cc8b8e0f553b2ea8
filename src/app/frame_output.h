#pragma once

#include "app/window.h"

// Where the frame loop's finished frames go: the window on screen, or a video file.
class FrameOutput {
  public:
    virtual ~FrameOutput() = default;
    // False for frames nobody will see (an export before its first frame): the film still
    // moves on, its passes are skipped.
    virtual bool WantsPicture() const = 0;
    // The frame's passes are done.
    virtual void Present() = 0;
};

// Shows every frame in the window, then lets the window library deliver its events.
class WindowOutput final : public FrameOutput {
  public:
    explicit WindowOutput(GLFWwindow* window) : window(window) {}
    bool WantsPicture() const override { return true; }
    void Present() override;

  private:
    GLFWwindow* window;
};
