#pragma once

#include "app/window.h"
#include "render/frame_output.h"

// Shows every frame in the window, then lets the window library deliver its events.
class WindowOutput final : public FrameOutput {
  public:
    explicit WindowOutput(GLFWwindow* window) : window(window) {}
    bool WantsPicture() const override { return true; }
    void Present() override;

  private:
    GLFWwindow* window;
};
