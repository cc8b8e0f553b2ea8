#pragma once

#include <glad/gl.h>
// glad must come first
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

// A real OpenGL 3.3 core context in a hidden 1920x1080 window, shared by every GL test of a
// test program. Tests that derive from this fixture fail with a clear message when no
// context can be made (no display), instead of crashing.
class GlTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite();
    void SetUp() override;
    static GLFWwindow* window();
};
