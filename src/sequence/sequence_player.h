#pragma once

#include <ostream>
#include <vector>

#include "sequence/camera_shot.h"

class AudioManager;
class Camera;

// Flies the camera through the shots one after the other, fades in from black when a run starts
// and out to black after the last shot, then pauses the music and waits for a restart. Times are
// seconds on the frame loop's clock.
class SequencePlayer {
  public:
    SequencePlayer(const std::vector<CameraShot>& cameraShots, AudioManager& audio,
                   std::ostream& log);

    // Once per frame while the automatic camera runs: writes the camera's pose and `fadeAlpha`.
    void Play(Camera& camera, double now);
    // The film's first run begins with its first frame: the fade-in and the first shot from `now`.
    void BeginFirstRun(double now);
    // Back to the first shot with a fade-in: a run starts (or restarts) with the shot's clock at
    // `shotStart` and the fade's at `fadeStart`.
    void Start(double shotStart, double fadeStart);
    // The automatic camera is switched off: no overlay, the flags of a stopped run.
    void Stop();

    bool musicStarted = false;  // the music was started for this run (also while paused at its end)
    int shotIndex = 0;
    float shotStartTime = 0.0f;
    double fadeStartTime = 0.0;
    bool fadeInActive = true;
    bool sequenceComplete = false;
    bool fadeOutStarted = false;
    bool waitingForRestart = false;  // faded out: black until C
    float fadeAlpha = 0.0f;          // black overlay, 0 (none) to 1

  private:
    void PlayCurrentShot(Camera& camera, double now, double sinceFadeStart);
    void FadeOut(double now, double sinceFadeStart);

    const std::vector<CameraShot>& cameraShots;
    AudioManager& audio;
    std::ostream& log;
};
