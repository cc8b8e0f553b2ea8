#pragma once

#include <optional>
#include <vector>

// The page around the film in a browser: its controls show the film's state and ask for seeks,
// and its canvas keeps the last picture when a frame draws none. A native window has no page:
// there these do nothing.

// What the page's controls show, as it stands this frame.
struct FilmOnPage {
    double position = 0.0;  // seconds into the film
    double length = 0.0;    // seconds from its start to the end of its fade-out
    bool paused = false;
    bool ended = false;  // faded out, black until a restart
    bool muted = false;
    bool automatic = true;  // the film plays, rather than the viewer flying
    bool drawn = true;      // this frame draws a picture (the page counts them)
};
void ShowFilmOnPage(const FilmOnPage& film);
// Once: where each shot starts, in seconds into the film, for the seek bar's marks.
void MarkShotsOnPage(const std::vector<double>& starts);

// The seconds the seek bar asked for since the last frame (the latest, when several).
std::optional<double> TakePageSeek();

// The size the page's canvas draws at: the size it is shown at, in the screen's own pixels,
// fitted to 16:9 (the page sets it). Nothing where the window keeps the film's own size.
struct CanvasSize {
    int width;
    int height;
};
std::optional<CanvasSize> PageCanvasSize();

// Whether the picture stays on the screen when a frame draws nothing new.
bool KeepsLastPicture();
