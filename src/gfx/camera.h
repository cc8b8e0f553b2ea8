#pragma once

#include <glm/glm.hpp>
#include <ostream>

#include "gfx/gl.h"
// The loader comes before GLFW.
#include <GLFW/glfw3.h>

#include "gfx/shader.h"

// Free-fly key state of one frame.
struct MovementKeys {
    bool forward = false;   // W
    bool left = false;      // A
    bool backward = false;  // S
    bool right = false;     // D
    bool rise = false;      // Space
    bool sink = false;      // Left Control
};

// The viewer's pose and its projection x view matrix. The sequence player writes the pose
// fields directly; the free-fly controls move them from the keyboard and the mouse.
class Camera {
  public:
    glm::vec3 position;
    glm::vec3 orientation = glm::vec3(0.0f, 0.0f, -1.0f);
    glm::vec3 up = glm::vec3(0.0f, 1.0f, 0.0f);
    glm::mat4 cameraMatrix = glm::mat4(1.0f);
    bool firstClick = true;
    int width;
    int height;
    float speed = 10.0f;         // world units per second
    float sensitivity = 100.0f;  // degrees of turn for a cursor travel of one viewport size

    Camera(int width, int height, glm::vec3 position);

    void updateMatrix(float FOVdeg, float nearPlane, float farPlane);
    // Uploads cameraMatrix to `uniform`; the caller has made `shader` current.
    void Matrix(Shader& shader, const char* uniform);
    // Free-fly controls for one frame: keys move, the left mouse button drags the view.
    void Inputs(GLFWwindow* window, float deltaTime);
    // The same in a window of another size than the camera's viewport: the drag is measured from
    // that window's centre and in shares of its size.
    void Inputs(GLFWwindow* window, float deltaTime, int windowWidth, int windowHeight);
    // Free flight starts from the keys and the button as they are now: a press made and released
    // before, which the window still holds for the next poll, is dropped.
    void BeginFreeFlight(GLFWwindow* window);

    void Move(const MovementKeys& keys, float deltaTime);
    // Turns the view by the cursor's offset from the viewport centre.
    void Look(double mouseX, double mouseY);
    void Look(double mouseX, double mouseY, int windowWidth, int windowHeight);
    // One scroll step: changes the speed by 2 per notch within [0.5, 100] and reports it on
    // `out` in the stream's current number format.
    void Scroll(double yOffset, std::ostream& out);
};

// The scene's one camera, for the scroll callback; null until the camera exists.
extern Camera* g_camera;

// Scroll steps of `window` change the speed of `camera` (it becomes g_camera) and are reported
// on `out`.
void ListenToScrollWheel(GLFWwindow* window, Camera& camera, std::ostream& out);
// Scrolls g_camera, if there is one.
void scroll_callback(GLFWwindow* window, double xOffset, double yOffset);
