#include "app/window.h"

void SetFixedViewport() {
    glViewport(0, 0, kWindowWidth, kWindowHeight);
}
