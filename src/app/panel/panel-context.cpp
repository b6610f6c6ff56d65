#include "app/panel/panel-context.h"

#include <GL/freeglut.h>
#include <imgui.h>

#include "app/panel/panel-input-queue.h"

void ConfigurePanelContext() {
  ImGuiIO& io = ImGui::GetIO();
  // The program writes no files: the library would otherwise save window positions on exit.
  io.IniFilename = nullptr;
  io.LogFilename = nullptr;

  ImGui::StyleColorsLight();

  // Character keys are reported by their code, the others by the window system's key number
  // after kSpecialKeyOffset; PanelInputQueue fills the key-down table the same way.
  io.KeyMap[ImGuiKey_Tab] = '\t';
  io.KeyMap[ImGuiKey_LeftArrow] = kSpecialKeyOffset + GLUT_KEY_LEFT;
  io.KeyMap[ImGuiKey_RightArrow] = kSpecialKeyOffset + GLUT_KEY_RIGHT;
  io.KeyMap[ImGuiKey_UpArrow] = kSpecialKeyOffset + GLUT_KEY_UP;
  io.KeyMap[ImGuiKey_DownArrow] = kSpecialKeyOffset + GLUT_KEY_DOWN;
  io.KeyMap[ImGuiKey_PageUp] = kSpecialKeyOffset + GLUT_KEY_PAGE_UP;
  io.KeyMap[ImGuiKey_PageDown] = kSpecialKeyOffset + GLUT_KEY_PAGE_DOWN;
  io.KeyMap[ImGuiKey_Home] = kSpecialKeyOffset + GLUT_KEY_HOME;
  io.KeyMap[ImGuiKey_End] = kSpecialKeyOffset + GLUT_KEY_END;
  io.KeyMap[ImGuiKey_Insert] = kSpecialKeyOffset + GLUT_KEY_INSERT;
  io.KeyMap[ImGuiKey_Delete] = 127;
  io.KeyMap[ImGuiKey_Backspace] = 8;
  io.KeyMap[ImGuiKey_Space] = ' ';
  io.KeyMap[ImGuiKey_Enter] = 13;
  io.KeyMap[ImGuiKey_Escape] = 27;
  io.KeyMap[ImGuiKey_KeyPadEnter] = 13;
  io.KeyMap[ImGuiKey_A] = 'A';
  io.KeyMap[ImGuiKey_C] = 'C';
  io.KeyMap[ImGuiKey_V] = 'V';
  io.KeyMap[ImGuiKey_X] = 'X';
  io.KeyMap[ImGuiKey_Y] = 'Y';
  io.KeyMap[ImGuiKey_Z] = 'Z';

  io.Fonts->Build();
}
