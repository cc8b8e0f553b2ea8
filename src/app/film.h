#pragma once

#include <memory>
#include <vector>

#include "audio/audio_manager.h"
#include "base/clock.h"
#include "base/console.h"
#include "gfx/camera.h"
#include "render/scene.h"
#include "sequence/camera_shot.h"
#include "sequence/film_timeline.h"

// What a playing film holds, built in this order: the scene (shadow target, screen quad,
// programs, textures, water, models, plants, firefly, sky objects and the start-up uniforms),
// then its scripted moves, its camera (a picture of `width` x `height`), its music player (which
// plays nothing until its music is loaded) and the clock it plays by. Needs the window's GL
// context, and throws what the scene throws. `withFullPath` as for the scene.
struct Film {
    Film(const Console& console, int width, int height, std::unique_ptr<Clock> clock,
         bool withFullPath = false);
    Film(const Film&) = delete;
    // The film's music, which the player plays and the exporter writes into the video.
    static constexpr const char* kMusicPath = "resources/audio/cin.wav";

    Film& operator=(const Film&) = delete;

    // Deletes the GL objects the context would not take with it; call it while the context is
    // current, once nothing draws the film any more.
    void Release() { scene.Release(); }

    Scene scene;
    const FilmTimeline timeline;  // its shots
    const std::vector<PathShot> fireflyPath;
    Camera camera;
    AudioManager audio;
    std::unique_ptr<Clock> clock;
};
