#pragma once

#include <cstdint>

// The page's side of the browser build, in web/film_page_library.js: the program calls these,
// the page reads and writes what they leave on its `Module` (that file lists every name).
extern "C" {

// The music device: opens the track at `path` (nothing when it can play, else why not, a string
// the caller frees), plays it from the film's `second` (where it paused when negative), pauses
// it (and rewinds it to the start when `rewind`), and says its mode: 1 playing, 2 paused, 0
// stopped.
char* lumenvale_music_open(const char* path);
void lumenvale_music_play(double second);
void lumenvale_music_pause(int rewind);
int lumenvale_music_mode();
void lumenvale_music_close();

// The film as this frame leaves it, and where its shots start.
void lumenvale_publish_film(double position, double length, int paused, int ended, int muted,
                            int automatic, int drawn);
void lumenvale_publish_shots(const double* starts, int count);
// The seek the page asked for since the last frame, or a negative number.
double lumenvale_take_seek();
// The canvas's size as the page shows it (width x 65536 + height), or 0.
int lumenvale_fit_canvas();
// The second the page holds the film at, or a negative number.
double lumenvale_held_second();
void lumenvale_frame_shown();
int lumenvale_frames_shown();
// The keys the page's controls press, as the program's window library numbers them.
void lumenvale_publish_keys(int pause, int camera, int mute, int back, int forward, int shift);
}
