#pragma once

#include <glm/glm.hpp>
#include <optional>

#include "gfx/gl.h"
// The loader comes before GLFW.
#include <GLFW/glfw3.h>

// Keys and the mouse as this platform's window delivers them. The frame loop polls once per
// frame; at a few frames per second a tap that begins and ends between two polls must not be lost.

// Makes every later press of a key or the left button count, even when it ends unseen.
void KeepShortPresses(GLFWwindow* window);

// True while `key` is held and, once, after a press that began and ended since the last read.
bool KeyDown(GLFWwindow* window, int key);
// True while `key` is held. Read right after KeyDown, it tells a key still down from one let go
// since the last read, which KeyDown reports as down once more: a press is new only when the key
// was not held at the last read.
inline bool KeyHeld(GLFWwindow* window, int key) {
    return glfwGetKey(window, key) == GLFW_PRESS;
}

// While the left button is held: the cursor's position in a window of `width` x `height`
// whose centre stands for no turn this frame (the cursor is hidden, and taken back to the
// centre or held by the browser's pointer lock). None while the button is up; `firstClick`
// says that the next drag starts afresh.
std::optional<glm::dvec2> DragLookPosition(GLFWwindow* window, bool& firstClick, int width,
                                           int height);
