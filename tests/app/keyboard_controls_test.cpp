#include "app/keyboard_controls.h"

#include <gtest/gtest.h>

#include "app/film_transport.h"
#include "audio/audio_test_support.h"
#include "gfx/camera.h"
#include "render/day_night.h"
#include "render/firefly_flight.h"
#include "sequence/film_length.h"
#include "sequence/sequence_player.h"
#include "sequence/shot_tables.h"

namespace {

// Every reading is a quarter second later than the one before, so the readings' order shows.
class TickingClock : public Clock {
  public:
    double Now() const override { return now += 0.25; }
    mutable double now = 50.0;
};

// The keys act on a real music player, which stays uninitialised until a test loads a track.
class KeyboardControlsTest : public AudioManagerTest {
  protected:
    KeyboardControlsTest() : keyboard(clock, console.out) {
        sequence.musicStarted = true;  // as after the first frame
    }

    // One frame with these keys read down, of which `held` are still down after the read (all of
    // them unless said otherwise).
    void Frame(const ShowKeys& keys) { Frame(keys, keys); }
    void Frame(const ShowKeys& keys, const ShowKeys& held) {
        keyboard.Handle(
            keys, held,
            ShowTargets{camera, sequence, dayNight, audio, transport, autoCamera, drawSun},
            previousFrameTime);
        fullScreenAsked.push_back(keyboard.FullScreenPressed());
        keyboard.EndFrame();
    }
    static ShowKeys Only(bool ShowKeys::*key) {
        ShowKeys keys;
        keys.*key = true;
        return keys;
    }

    const FilmTimeline timeline = MakeFilmTimeline();
    TickingClock clock;
    Camera camera{1920, 1080, glm::vec3(1.5f, 2.0f, -3.25f)};
    // The film's own clock ticks apart, so that the readings above stay the keys' own.
    TickingClock transportClock;
    FilmClock filmClock{transportClock};
    SequencePlayer sequence{timeline, filmClock, audio, console.out};
    DayNightCycle dayNight;
    KeyboardControls keyboard;
    const std::vector<PathShot> fireflyPath = MakeFireflyPath();
    FireflyFlight firefly{fireflyPath, 0.0f};
    FilmTransport transport{filmClock, sequence, firefly, audio, camera, console.out};
    bool autoCamera = true;
    bool drawSun = true;
    double previousFrameTime = 49.9;
    std::vector<bool> fullScreenAsked;  // by each frame
};

}  // namespace

TEST_F(KeyboardControlsTest, HoldingAKeyActsOnceAndTheSnapshotComesBeforeTheCameraSwitch) {
    ShowKeys both;
    both.p = both.c = true;
    Frame(both);
    Frame(both);
    Frame(both);
    EXPECT_EQ(console.TakeOut(),
              "---- CAMERA SNAPSHOT ----\n"
              "Position: (1.5, 2, -3.25)\n"
              "Direction: (0, 0, -1)\n"
              "LookAt: 1.5, 2, -103.25\n"
              "-------------------------\n"
              "Camera switch toggled: 0\n"
              "Auto camera stopped - music stopped\n");
    EXPECT_FALSE(autoCamera);
    Frame(ShowKeys{});
    Frame(Only(&ShowKeys::c));
    EXPECT_EQ(console.TakeOut(), "Camera switch toggled: 1\nAuto camera started - music playing\n");
    EXPECT_TRUE(autoCamera);

    // Held, then let go and tapped again while a slow frame ran: a key let go since the last
    // frame reads as down once more, and the tap after it still counts.
    Frame(Only(&ShowKeys::n));
    Frame(Only(&ShowKeys::n), ShowKeys{});
    Frame(Only(&ShowKeys::n), ShowKeys{});
    EXPECT_EQ(console.TakeOut(),
              "Sun/Moon swap toggled. Drawing sun? 0\nSun/Moon swap toggled. Drawing sun? 1\n");
    fullScreenAsked.clear();
    Frame(Only(&ShowKeys::f));
    Frame(Only(&ShowKeys::f));
    Frame(Only(&ShowKeys::f), ShowKeys{});
    Frame(Only(&ShowKeys::f), ShowKeys{});
    EXPECT_EQ(fullScreenAsked, std::vector<bool>({true, false, false, true})) << "F likewise";
    EXPECT_EQ(sequence.shotIndex, 0);
    EXPECT_EQ(sequence.fadeAlpha, 1.0f);
    // Three readings, in this order: the first shot, the fade-in, the day.
    EXPECT_EQ(sequence.shotStartTime, 50.25f);
    EXPECT_EQ(sequence.fadeStartTime, 50.5);
    EXPECT_EQ(dayNight.dayCycleStartTime, 50.75) << "the day restarts with the film";
}

TEST_F(KeyboardControlsTest, OnTheBlackScreenCRestartsTheFilmWithoutAToggleLine) {
    sequence.sequenceComplete = sequence.waitingForRestart = true;
    sequence.shotIndex = 22;
    Frame(Only(&ShowKeys::c));
    EXPECT_EQ(console.TakeOut(), "Restarting camera sequence from beginning\n");
    EXPECT_TRUE(autoCamera);
    EXPECT_FALSE(sequence.waitingForRestart);
    EXPECT_EQ(sequence.shotIndex, 0);
    EXPECT_EQ(sequence.shotStartTime, 50.25f);
    EXPECT_EQ(sequence.fadeStartTime, 50.5);
    EXPECT_EQ(filmClock.RunStart(), 50.5) << "seeks count from the new run";
    EXPECT_EQ(dayNight.dayCycleStartTime, 50.75) << "the day restarts with the film";
}

// The music's lines fall among the keys' own in the order of the calls, as on the console.
TEST_F(KeyboardControlsTest, OnTheBlackScreenCResumesTheMusicTheFilmPausedOrStartsItAfresh) {
    ASSERT_NO_FATAL_FAILURE(StartTrack(10.0));
    audio.PauseMusic();  // as the end of the film does
    sequence.sequenceComplete = sequence.waitingForRestart = true;
    console.TakeOut();
    Frame(Only(&ShowKeys::c));
    EXPECT_EQ(console.TakeOut(),
              "Restarting camera sequence from beginning\nMusic resumed from pause\n");
    EXPECT_TRUE(audio.IsMusicPlaying());

    // A run whose music never started starts it from the beginning.
    audio.StopMusic();
    sequence.musicStarted = false;
    sequence.sequenceComplete = sequence.waitingForRestart = true;
    Frame(ShowKeys{});
    console.TakeOut();
    Frame(Only(&ShowKeys::c));
    EXPECT_EQ(console.TakeOut(),
              "Restarting camera sequence from beginning\nMusic playback started\n");
    EXPECT_TRUE(audio.IsMusicPlaying());
}

TEST_F(KeyboardControlsTest, AMutedFilmStaysSilentThroughItsRestartUntilMUnmutesIt) {
    ASSERT_NO_FATAL_FAILURE(StartTrack(10.0));
    Frame(Only(&ShowKeys::m));
    EXPECT_EQ(console.TakeOut(), "Music paused\nMusic muted\nMusic muted\n");
    sequence.sequenceComplete = sequence.waitingForRestart = true;
    Frame(ShowKeys{});
    Frame(Only(&ShowKeys::c));
    EXPECT_EQ(console.TakeOut(), "Restarting camera sequence from beginning\n");
    EXPECT_TRUE(audio.muted);
    EXPECT_FALSE(audio.IsMusicPlaying());

    Frame(ShowKeys{});
    Frame(Only(&ShowKeys::m));
    EXPECT_EQ(console.TakeOut(), "Music resumed from pause\nMusic unmuted\nMusic unmuted\n");
    EXPECT_TRUE(audio.IsMusicPlaying());
}

// The film's end pauses the music. A pause and resume of the black screen leaves it so; M then M
// resumes it there, as an unmute resumes any paused track; a move back into the film plays it
// from the film's time, taken round the loop of a track shorter than the film.
TEST_F(KeyboardControlsTest, AfterTheEndMThenMResumesTheMusicAndASeekBackPlaysItWithinTheTrack) {
    ASSERT_NO_FATAL_FAILURE(StartTrack(10.0));
    sequence.sequenceComplete = sequence.fadeOutStarted = true;
    sequence.Play(camera, sequence.fadeStartTime + 2.5);  // the fade-out reaches black
    ASSERT_TRUE(sequence.waitingForRestart);
    ASSERT_FALSE(audio.IsMusicPlaying());
    for (bool ShowKeys::*key : {&ShowKeys::space, &ShowKeys::space}) {
        Frame(Only(key));
        Frame(ShowKeys{});
        EXPECT_FALSE(audio.IsMusicPlaying()) << console.TakeOut();
    }
    console.TakeOut();
    Frame(Only(&ShowKeys::m));
    Frame(ShowKeys{});
    Frame(Only(&ShowKeys::m));
    EXPECT_EQ(console.TakeOut(),
              "Music muted\nMusic muted\nMusic resumed from pause\nMusic unmuted\nMusic unmuted\n");
    EXPECT_TRUE(audio.IsMusicPlaying());

    audio.PauseMusic();  // as the end left it
    ShowKeys back;
    back.seekTo = 103.0;  // 3 s into the 10-second track's eleventh round
    Frame(back);
    EXPECT_EQ(console.TakeOut(),
              "Music paused\nMusic resumed from pause\nFilm position: 103.00 s\n");
    EXPECT_TRUE(audio.IsMusicPlaying()) << "back into the film";
    EXPECT_FALSE(sequence.waitingForRestart);

    // Moved to the end once more (past the track's end), the film says so as when it plays
    // there, and fades out.
    console.TakeOut();
    ShowKeys end;
    end.seekTo = 1e6;
    Frame(end);
    const std::string moved = console.TakeOut();
    EXPECT_NE(
        moved.find("Camera sequence completed - waiting for restart (Press C)\nFilm position: " +
                   FilmSeconds(sequence.LastShotEnd()) + "\n"),
        std::string::npos)
        << moved;
    sequence.Play(camera, sequence.fadeStartTime + 2.5);
    EXPECT_NE(console.TakeOut().find("Sequence complete - music paused."), std::string::npos);
}

TEST_F(KeyboardControlsTest, CWhileMutedReallyStopsAndTheNextStartBeginsTheTrackWithTheUnmute) {
    ASSERT_NO_FATAL_FAILURE(StartTrack(10.0));
    Frame(Only(&ShowKeys::m));
    Frame(ShowKeys{});
    console.TakeOut();
    Frame(Only(&ShowKeys::c));
    EXPECT_EQ(console.TakeOut(),
              "Camera switch toggled: 0\nMusic stopped\nAuto camera stopped - music stopped\n");
    EXPECT_FALSE(audio.isPlaying || audio.isPaused);

    // Started while muted: silent, with the usual line.
    Frame(ShowKeys{});
    Frame(Only(&ShowKeys::c));
    EXPECT_EQ(console.TakeOut(), "Camera switch toggled: 1\nAuto camera started - music playing\n");
    EXPECT_FALSE(audio.IsMusicPlaying());
    Frame(ShowKeys{});
    Frame(Only(&ShowKeys::m));
    EXPECT_EQ(console.TakeOut(), "Music playback started\nMusic unmuted\nMusic unmuted\n");
    EXPECT_TRUE(audio.IsMusicPlaying());

    // Unmuted, a stop and a start play the track from its beginning.
    Frame(ShowKeys{});
    Frame(Only(&ShowKeys::c));
    Frame(ShowKeys{});
    Frame(Only(&ShowKeys::c));
    EXPECT_EQ(console.TakeOut(),
              "Camera switch toggled: 0\nMusic stopped\nAuto camera stopped - music stopped\n"
              "Camera switch toggled: 1\nMusic playback started\n"
              "Auto camera started - music playing\n");
}

TEST_F(KeyboardControlsTest, RPausesTheSunAndResumesItWhereItStood) {
    dayNight.InitializeOnce(0.0);
    const float angle = dayNight.Advance(20.0).sunAngle;
    Frame(Only(&ShowKeys::r));
    Frame(ShowKeys{});
    EXPECT_EQ(dayNight.Advance(30.0).sunAngle, angle);
    previousFrameTime = 30.0;
    Frame(Only(&ShowKeys::r));
    EXPECT_EQ(console.TakeOut(), "Sun rotation toggled: 0\nSun rotation toggled: 1\n");
    EXPECT_NEAR(dayNight.Advance(30.0).sunAngle, angle, 1e-6f);
}

TEST_F(KeyboardControlsTest, NSwapsSunAndMoonAndMReportsTheMuteStateTheMusicPlayerSet) {
    Frame(Only(&ShowKeys::n));
    EXPECT_FALSE(drawSun);
    EXPECT_EQ(console.TakeOut(), "Sun/Moon swap toggled. Drawing sun? 0\n");

    // Without a working music player nothing can be muted, and the line says so.
    Frame(Only(&ShowKeys::m));
    EXPECT_EQ(console.TakeOut(), "Music unmuted\n");

    audio.Initialize();
    Frame(ShowKeys{});
    console.TakeOut();
    Frame(Only(&ShowKeys::m));
    EXPECT_TRUE(audio.muted);
    EXPECT_EQ(console.TakeOut(), "Music muted\nMusic muted\n");
}

TEST_F(KeyboardControlsTest, SnapshotFollowsTheTwoDecimalFormatOnceTheDayLineHasSetIt) {
    console.out << std::fixed;
    console.out.precision(2);
    Frame(Only(&ShowKeys::p));
    EXPECT_NE(console.TakeOut().find("Position: (1.50, 2.00, -3.25)\n"), std::string::npos);
}
