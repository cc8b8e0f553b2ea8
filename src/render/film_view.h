#pragma once

// The film's picture: the window's size, and the projection every frame's camera matrix is made
// with.
constexpr int kWindowWidth = 1920;
constexpr int kWindowHeight = 1080;
constexpr float kFieldOfViewDegrees = 45.0f;  // vertical
constexpr float kNearPlane = 0.1f;
constexpr float kFarPlane = 2000.0f;
