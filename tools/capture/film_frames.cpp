#include "film_frames.h"

#include <algorithm>
#include <chrono>
#include <iostream>

#include "app/window.h"
#include "film_moment.h"
#include "render/render_scale.h"

FilmFrames::FilmFrames(Film& film, float renderScale)
    : film(film),
      renderer(film.scene, Console{std::cout, std::cerr}),
      renderScale(renderScale),
      scaler(std::cerr) {
    const PictureSize size = ScaledSize(kWindowWidth, kWindowHeight, renderScale);
    if (size.width != kWindowWidth || size.height != kWindowHeight) {
        picture.Resize(size.width, size.height);
    }
}

FilmFrames::~FilmFrames() {
    picture.Delete();
    scaler.Delete();
}

RgbImage FilmFrames::Render(float filmTime, int repeats) {
    const FrameInputs frame = SetUpFilmMoment(film, filmTime);
    const SunState& sun = frame.sun;
    Camera& camera = film.camera;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < repeats; ++i) {
        renderer.RenderShadowMap(sun, &camera, renderScale);
        if (picture.Allocated()) {
            renderer.RenderScene(camera, frame, picture.Target());
            scaler.PresentToWindow(picture);
        } else {
            renderer.RenderScene(camera, frame);
        }
        glFinish();
    }
    frameMilliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count() /
        repeats;
    sunHeight = sun.sunHeight;
    return ReadWindow();
}

RgbImage ReadWindow() {
    RgbImage image(kWindowWidth, kWindowHeight);
    const std::vector<unsigned char> bottomUp = FrameTarget::Window().ReadRgb();
    const size_t row = static_cast<size_t>(kWindowWidth) * 3;
    for (int y = 0; y < kWindowHeight; ++y) {
        std::copy_n(&bottomUp[(kWindowHeight - 1 - y) * row], row, image.At(0, y));
    }
    return image;
}
