// The free-fly controls on a real window, driven through the X server like a viewer would.
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <string>
#include <thread>

#include "gfx/camera.h"
#include "support/gl_context.h"

namespace {

// A visible window of the screen's size at its top-left corner, so that window and screen
// coordinates agree and the pointer over it gives it the keyboard. Keys and the button are
// sticky, as on the player's window.
class CameraInputs : public GlTest {
  protected:
    static void SetUpTestSuite() {
        GlTest::SetUpTestSuite();
        if (!window()) return;
        glfwDefaultWindowHints();
        glfwWindowHint(GLFW_CLIENT_API, GLFW_NO_API);
        input = glfwCreateWindow(1920, 1080, "Camera input test", nullptr, nullptr);
        glfwDefaultWindowHints();
        if (!input) return;
        glfwSetWindowPos(input, 0, 0);
        glfwSetInputMode(input, GLFW_STICKY_KEYS, GLFW_TRUE);
        glfwSetInputMode(input, GLFW_STICKY_MOUSE_BUTTONS, GLFW_TRUE);
    }
    static void TearDownTestSuite() {
        if (input) glfwDestroyWindow(input);
        input = nullptr;
    }
    void SetUp() override {
        GlTest::SetUp();
        ASSERT_NE(input, nullptr);
        Xdotool("mousemove 960 540");
    }
    void TearDown() override {
        Xdotool("keyup w s a d space Control_L");
        Xdotool("mouseup 1");
        glfwGetMouseButton(input, GLFW_MOUSE_BUTTON_LEFT);
    }

    // Sends the events and lets the window take them in.
    static void Xdotool(const std::string& arguments) {
        ASSERT_EQ(std::system(("xdotool " + arguments).c_str()), 0) << arguments;
        for (int i = 0; i < 10; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            glfwPollEvents();
        }
    }

    static GLFWwindow* input;
    Camera camera{1920, 1080, glm::vec3(0.0f)};
};

GLFWwindow* CameraInputs::input = nullptr;

}  // namespace

TEST_F(CameraInputs, HeldKeysMoveTheCameraAndOppositeKeysCancel) {
    Xdotool("keydown w");
    camera.Inputs(input, 0.5f);
    EXPECT_EQ(camera.position, glm::vec3(0.0f, 0.0f, -5.0f));
    Xdotool("keydown s");
    camera.Inputs(input, 0.5f);
    EXPECT_EQ(camera.position, glm::vec3(0.0f, 0.0f, -5.0f));
    // A released key reads as down once more (sticky keys); a frame of no length spends that.
    Xdotool("keyup w s");
    camera.Inputs(input, 0.0f);
    Xdotool("keydown d space");
    camera.Inputs(input, 0.1f);
    EXPECT_EQ(camera.position, glm::vec3(1.0f, 1.0f, -5.0f));
    Xdotool("keyup d space");
    camera.Inputs(input, 0.0f);
    Xdotool("keydown a Control_L");
    camera.Inputs(input, 0.1f);
    EXPECT_EQ(camera.position, glm::vec3(0.0f, 0.0f, -5.0f));
}

TEST_F(CameraInputs, ADragStartsFromTheCentreTurnsWithTheCursorAndReleasingFreesIt) {
    Xdotool("mousemove 100 100");
    Xdotool("mousedown 1");
    camera.Inputs(input, 0.0f);
    EXPECT_EQ(glfwGetInputMode(input, GLFW_CURSOR), GLFW_CURSOR_HIDDEN);
    EXPECT_FALSE(camera.firstClick);
    // Centred before the first reading: no jump towards where the button went down.
    EXPECT_NEAR(glm::length(camera.orientation - glm::vec3(0.0f, 0.0f, -1.0f)), 0.0f, 1e-6f);

    // A twentieth of the width to the right turns the view 5 degrees to the right.
    Xdotool("mousemove 1056 540");
    camera.Inputs(input, 0.0f);
    EXPECT_NEAR(camera.orientation.x, std::sin(0.0872665f), 1e-5f);
    EXPECT_NEAR(camera.orientation.z, -std::cos(0.0872665f), 1e-5f);
    double x = 0.0, y = 0.0;
    glfwGetCursorPos(input, &x, &y);
    EXPECT_EQ(x, 960.0);
    EXPECT_EQ(y, 540.0);

    // The release shows on the frame after the button's sticky last press.
    Xdotool("mouseup 1");
    camera.Inputs(input, 0.0f);
    camera.Inputs(input, 0.0f);
    EXPECT_EQ(glfwGetInputMode(input, GLFW_CURSOR), GLFW_CURSOR_NORMAL);
    EXPECT_TRUE(camera.firstClick);
}

TEST_F(CameraInputs, FreeFlightBeginsWithoutTheTapsAndClicksMadeBeforeIt) {
    // Sticky keys keep a tap that no frame saw for the next poll.
    Xdotool("keydown w");
    Xdotool("keyup w");
    camera.Inputs(input, 1.0f);
    ASSERT_EQ(camera.position, glm::vec3(0.0f, 0.0f, -10.0f));

    camera.position = glm::vec3(0.0f);
    Xdotool("keydown w");
    Xdotool("keyup w");
    Xdotool("click 1");
    camera.BeginFreeFlight(input);
    camera.Inputs(input, 1.0f);
    EXPECT_EQ(camera.position, glm::vec3(0.0f));
    EXPECT_TRUE(camera.firstClick);
    EXPECT_EQ(glfwGetInputMode(input, GLFW_CURSOR), GLFW_CURSOR_NORMAL);

    // A key still held when free flight begins keeps acting.
    Xdotool("keydown w");
    camera.BeginFreeFlight(input);
    camera.Inputs(input, 1.0f);
    EXPECT_EQ(camera.position, glm::vec3(0.0f, 0.0f, -10.0f));
}
