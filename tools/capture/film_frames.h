#pragma once

#include "app/film.h"
#include "render/frame_renderer.h"
#include "render/render_target.h"
#include "rgb_image.h"

// Renders moments of the film as the film has them: the camera of its shot, the sun of the
// day/night cycle and the firefly on its route, all counted from the film's first frame.
class FilmFrames {
  public:
    // `renderScale`: the share of the window the 3D passes draw at, scaled up to it as the
    // player does when it cannot keep up.
    explicit FilmFrames(Film& film, float renderScale = 1.0f);
    ~FilmFrames();

    // Draws the frame at `filmTime` `repeats` times and reads the last one back.
    RgbImage Render(float filmTime, int repeats);
    // Mean wall time of one whole frame in the last Render, in milliseconds.
    double frameMilliseconds = 0.0;
    float sunHeight = 0.0f;  // of the last Render

  private:
    Film& film;
    FrameRenderer renderer;
    float renderScale;
    OffscreenTarget picture;  // allocated only below full size
    PictureScaler scaler;
};

// The window's colour buffer, top row first.
RgbImage ReadWindow();
