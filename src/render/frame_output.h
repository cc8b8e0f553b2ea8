#pragma once

#include <optional>

#include "render/render_target.h"

// Where the frame loop's finished frames go: the window on screen, or a video file.
class FrameOutput {
  public:
    virtual ~FrameOutput() = default;
    // False for frames nobody will see (an export before its first frame): the film still
    // moves on, its passes are skipped.
    virtual bool WantsPicture() const = 0;
    // Where the passes draw when the output has a picture of its own; otherwise the window.
    virtual std::optional<FrameTarget> Target() const { return std::nullopt; }
    // The frame's passes are done.
    virtual void Present() = 0;
};
