#include "gfx/camera.h"

#define GLM_ENABLE_EXPERIMENTAL
#include <algorithm>
#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <glm/gtx/rotate_vector.hpp>
#include <ostream>

#include "gfx/pointer_input.h"

Camera* g_camera = nullptr;

namespace {
std::ostream* scrollLog = nullptr;  // where g_camera's scroll steps are reported
constexpr float kDegreesToRadians = 0.01745329f;
// The view may come no closer than 5 degrees to straight up or straight down.
constexpr float kMaxPitchFromHorizon = 1.48353f;

MovementKeys PollMovementKeys(GLFWwindow* window) {
    const auto down = [window](int key) { return KeyDown(window, key); };
    MovementKeys keys;
    keys.forward = down(GLFW_KEY_W);
    keys.left = down(GLFW_KEY_A);
    keys.backward = down(GLFW_KEY_S);
    keys.right = down(GLFW_KEY_D);
    keys.rise = down(GLFW_KEY_SPACE);
    keys.sink = down(GLFW_KEY_LEFT_CONTROL);
    return keys;
}

}  // namespace

Camera::Camera(int width, int height, glm::vec3 position)
    : position(position), width(width), height(height) {}

void Camera::updateMatrix(float FOVdeg, float nearPlane, float farPlane) {
    const glm::mat4 view = glm::lookAt(position, position + orientation, up);
    const glm::mat4 projection = glm::perspective(
        FOVdeg * kDegreesToRadians, static_cast<float>(width) / height, nearPlane, farPlane);
    cameraMatrix = projection * view;
}

void Camera::Matrix(Shader& shader, const char* uniform) {
    glUniformMatrix4fv(glGetUniformLocation(shader.ID, uniform), 1, GL_FALSE,
                       glm::value_ptr(cameraMatrix));
}

void Camera::Move(const MovementKeys& keys, float deltaTime) {
    const float step = speed * deltaTime;
    const glm::vec3 sideways = glm::normalize(glm::cross(orientation, up));
    if (keys.forward) position += step * orientation;
    if (keys.left) position += -step * sideways;
    if (keys.backward) position += -step * orientation;
    if (keys.right) position += step * sideways;
    if (keys.rise) position += step * up;
    if (keys.sink) position += -step * up;
}

void Camera::Look(double mouseX, double mouseY) {
    Look(mouseX, mouseY, width, height);
}

// A minimised window may have no size (0 x 0) while a drag goes on: there is no centre to turn
// from, and dividing by it would leave the view, then the position, not a number.
void Camera::Look(double mouseX, double mouseY, int windowWidth, int windowHeight) {
    if (windowWidth <= 0 || windowHeight <= 0) return;
    const float rotX = sensitivity * static_cast<float>(mouseY - windowHeight / 2) / windowHeight;
    const float rotY = sensitivity * static_cast<float>(mouseX - windowWidth / 2) / windowWidth;

    const glm::vec3 pitched = glm::rotate(orientation, -rotX * kDegreesToRadians,
                                          glm::normalize(glm::cross(orientation, up)));
    const float angleToUp = std::acos(std::clamp(glm::dot(pitched, up), -1.0f, 1.0f));
    if (std::abs(angleToUp - 90.0f * kDegreesToRadians) <= kMaxPitchFromHorizon) {
        orientation = pitched;
    }
    orientation = glm::rotate(orientation, -rotY * kDegreesToRadians, up);
}

void Camera::Inputs(GLFWwindow* window, float deltaTime) {
    Inputs(window, deltaTime, width, height);
}

void Camera::Inputs(GLFWwindow* window, float deltaTime, int windowWidth, int windowHeight) {
    Move(PollMovementKeys(window), deltaTime);

    if (const auto cursor = DragLookPosition(window, firstClick, windowWidth, windowHeight)) {
        Look(cursor->x, cursor->y, windowWidth, windowHeight);
    }
}

// With sticky keys a press that ended unseen reads as down once; polling now spends that reading.
void Camera::BeginFreeFlight(GLFWwindow* window) {
    PollMovementKeys(window);
    glfwGetMouseButton(window, GLFW_MOUSE_BUTTON_LEFT);
}

void Camera::Scroll(double yOffset, std::ostream& out) {
    speed = std::clamp(speed + static_cast<float>(yOffset * 2.0), 0.5f, 100.0f);
    out << "Camera speed: " << speed << " units/sec" << std::endl;
}

void ListenToScrollWheel(GLFWwindow* window, Camera& camera, std::ostream& out) {
    g_camera = &camera;
    scrollLog = &out;
    glfwSetScrollCallback(window, scroll_callback);
}

void scroll_callback(GLFWwindow* /*window*/, double /*xOffset*/, double yOffset) {
    if (g_camera && scrollLog) g_camera->Scroll(yOffset, *scrollLog);
}
