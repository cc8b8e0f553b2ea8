#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "base/film_clock.h"
#include "sequence/camera_shot.h"
#include "sequence/film_timeline.h"

class AudioManager;
class Camera;

// Flies the camera through the shots one after the other, fades in from black when a run starts
// and out to black after the last shot, then pauses the music and waits for a restart. Times are
// seconds on the film's clock, which keeps where the run started.
class SequencePlayer {
  public:
    // Printed as the last shot ends, whether the film plays to there or is moved there.
    static constexpr const char* kCompletedLine =
        "Camera sequence completed - waiting for restart (Press C)";

    SequencePlayer(const FilmTimeline& timeline, FilmClock& clock, AudioManager& audio,
                   std::ostream& log);

    // The number of frames the film lasts when its clock advances exactly 1/fps per frame, from
    // its first frame up to and including the one on which the fade-out reaches black, played
    // as the film plays them: a shot ends on the first frame at or after its end, so the count
    // depends a little on the rate.
    static std::int64_t FrameCount(const FilmTimeline& timeline, int fps);

    // Once per frame while the automatic camera runs: writes the camera's pose and `fadeAlpha`.
    void Play(Camera& camera, double now);
    // The film's first run begins with its first frame: the fade-in and the first shot from now.
    void BeginFirstRun();
    // Back to the first shot with a fade-in: a run starts (or restarts) with the shot's clock at
    // `shotStart` and the fade's, and the film clock's run, at `fadeStart`.
    void Start(double shotStart, double fadeStart);
    // The automatic camera is switched off: no overlay, the flags of a stopped run.
    void Stop();
    // The film's clock has jumped and reads `now`: the shot, its start and the fade become what
    // they would be had the run played to there, each shot starting as the one before it ends,
    // and the camera takes its pose.
    void Seek(Camera& camera, double now);
    // Seconds into the run now, from 0 at its start to the end of its fade-out.
    double FilmPosition() const;
    // Where the last shot ends, in seconds into the run.
    double LastShotEnd() const { return timeline.LastShotEnd(); }
    // Where the fade-out after the last shot reaches black.
    double FilmEnd() const { return timeline.End(); }

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
    static void PoseCamera(Camera& camera, const CameraShot& shot, float t);

    const FilmTimeline& timeline;
    const std::vector<CameraShot>& cameraShots;
    FilmClock& clock;
    AudioManager& audio;
    std::ostream& log;
};
