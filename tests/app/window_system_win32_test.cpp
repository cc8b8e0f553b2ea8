#include <GLFW/glfw3.h>
#include <gtest/gtest.h>
#include <windows.h>

#include "app/window_system.h"

// Under Wine, a program whose game-controller library is unmapped while its device thread still
// runs dies on closing. GLFW's own reference goes at glfwTerminate; the library must outlive it.
TEST(WindowSystem, KeepsTheGameControllerLibraryLoadedWhenGlfwLetsItGo) {
    ASSERT_TRUE(StartWindowSystem());
    HMODULE library = GetModuleHandleA("xinput1_4.dll");
    ASSERT_NE(library, nullptr) << "GLFW did not load the game-controller library";
    FreeLibrary(library);  // what glfwTerminate does with GLFW's reference
    EXPECT_NE(GetModuleHandleA("xinput1_4.dll"), nullptr);
    LoadLibraryA("xinput1_4.dll");  // GLFW's reference back, for its own glfwTerminate
}
