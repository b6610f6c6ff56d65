#include "app/panel/panel-host.h"

#include <GL/freeglut.h>
#include <imgui.h>
#include <imgui_impl_glut.h>
#include <imgui_impl_opengl2.h>

#include <cstdlib>
#include <memory>

#include "app/panel/panel-context.h"
#include "app/panel/panel-input-queue.h"
#include "base/assertion.h"

namespace {

// Frames drawn after the last input, so that hover and activation changes that the library
// shows one frame late reach the screen.
constexpr int kSettleFrames = 3;

// The size the window opens with, before its controls have been measured.
constexpr int kInitialWidth = 240;
constexpr int kInitialHeight = 300;

struct PanelHost {
  std::unique_ptr<PanelWindow> panel;
  int window = 0;       // the panel's window id; 0 before CreatePanelWindow
  int main_window = 0;  // 0: callbacks run with the panel window current
  int width = kInitialWidth;
  int height = kInitialHeight;
  PanelInputQueue input;
  int settle_frames = 0;
  void (*idle)() = nullptr;
};

PanelHost host;

void PushInput(PanelInput input) {
  const int modifiers = glutGetModifiers();
  input.shift = (modifiers & GLUT_ACTIVE_SHIFT) != 0;
  input.ctrl = (modifiers & GLUT_ACTIVE_CTRL) != 0;
  input.alt = (modifiers & GLUT_ACTIVE_ALT) != 0;
  host.input.Push(input);
  glutPostRedisplay();
}

void PushMove(PanelInputKind kind, int x, int y) {
  PanelInput input;
  input.kind = kind;
  input.x = x;
  input.y = y;
  host.input.Push(input);  // modifiers may only be asked inside key and button callbacks
  glutPostRedisplay();
}

void OnMouse(int button, int state, int x, int y) {
  PanelInput input;
  input.kind = PanelInputKind::Button;
  input.x = x;
  input.y = y;
  input.down = state == GLUT_DOWN;
  switch (button) {
    case GLUT_LEFT_BUTTON: input.code = 0; break;
    case GLUT_RIGHT_BUTTON: input.code = 1; break;
    case GLUT_MIDDLE_BUTTON: input.code = 2; break;
    default: return;
  }
  PushInput(input);
}

void OnMotion(int x, int y) { PushMove(PanelInputKind::Move, x, y); }

void OnEntry(int state) {
  if (state == GLUT_LEFT) PushMove(PanelInputKind::Leave, 0, 0);
}

void OnWheel(int, int direction, int x, int y) {
  PushMove(PanelInputKind::Move, x, y);
  PanelInput input;
  input.kind = PanelInputKind::Wheel;
  input.code = direction > 0 ? 1 : -1;
  host.input.Push(input);
}

void PushKey(PanelInputKind kind, int code, bool down) {
  PanelInput input;
  input.kind = kind;
  input.code = code;
  input.down = down;
  PushInput(input);
}

void OnKeyDown(unsigned char key, int, int) { PushKey(PanelInputKind::Key, key, true); }
void OnKeyUp(unsigned char key, int, int) { PushKey(PanelInputKind::Key, key, false); }
void OnSpecialDown(int key, int, int) { PushKey(PanelInputKind::SpecialKey, key, true); }
void OnSpecialUp(int key, int, int) { PushKey(PanelInputKind::SpecialKey, key, false); }

void OnReshape(int width, int height) {
  host.width = width;
  host.height = height;
  ImGui::GetIO().DisplaySize = ImVec2(static_cast<float>(width), static_cast<float>(height));
  // Mesa may draw the first frame after a resize into a buffer of the old size, which shows
  // the controls shifted against where the pointer finds them; the frames after it are right.
  host.settle_frames = kSettleFrames;
  glutPostRedisplay();
}

void FitWindowToControls() {
  const PanelSize fitted = host.panel->FittedSize();
  if (fitted.width != host.width || fitted.height != host.height) {
    glutReshapeWindow(fitted.width, fitted.height);
  }
}

void RunCallbacksInMainWindow() {
  if (host.main_window == 0) {
    host.panel->RunFiredCallbacks();
    return;
  }
  glutSetWindow(host.main_window);
  host.panel->RunFiredCallbacks();
  glutPostRedisplay();
  glutSetWindow(host.window);
}

void OnDisplay() {
  ImGuiIO& io = ImGui::GetIO();
  if (host.input.FeedOneFrame(io)) host.settle_frames = kSettleFrames;
  ImGui_ImplOpenGL2_NewFrame();  // uploads the font texture into this window's context once
  ImGui_ImplGLUT_NewFrame();
  host.panel->Draw();
  ImGui::Render();

  // The library's reshape handler is not installed, so the viewport is set here.
  glViewport(0, 0, host.width, host.height);
  const ImVec4 background = ImGui::GetStyle().Colors[ImGuiCol_WindowBg];
  glClearColor(background.x, background.y, background.z, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
  glutSwapBuffers();

  FitWindowToControls();
  RunCallbacksInMainWindow();

  // A held button repeats (spinner arrows) only while frames are drawn.
  const bool button_held = io.MouseDown[0] || io.MouseDown[1] || io.MouseDown[2];
  if (!host.input.Empty() || button_held) host.settle_frames = kSettleFrames;
  if (host.settle_frames > 0) {
    --host.settle_frames;
    glutPostRedisplay();
  }
}

void OnIdle() {
  if (host.idle != nullptr) host.idle();
}

}  // namespace

PanelWindow* CreatePanelWindow(const char* title, int x, int y) {
  QUORVEL_ASSERT(host.window == 0);
  const int previous_window = glutGetWindow();

  glutInitWindowPosition(x, y);
  glutInitWindowSize(kInitialWidth, kInitialHeight);
  host.window = glutCreateWindow(title);
  host.panel = std::make_unique<PanelWindow>(title);

  ImGui::CreateContext();
  ImGui_ImplGLUT_Init();
  ConfigurePanelContext();
  ImGui_ImplOpenGL2_Init();
  ImGui::GetIO().DisplaySize =
      ImVec2(static_cast<float>(kInitialWidth), static_cast<float>(kInitialHeight));

  // The library's own callbacks are not installed: input goes through the queue, and the
  // window is sized by its controls instead of the library's reshape handler.
  glutDisplayFunc(OnDisplay);
  glutReshapeFunc(OnReshape);
  glutMouseFunc(OnMouse);
  glutMotionFunc(OnMotion);
  glutPassiveMotionFunc(OnMotion);
  glutEntryFunc(OnEntry);
  glutMouseWheelFunc(OnWheel);
  glutKeyboardFunc(OnKeyDown);
  glutKeyboardUpFunc(OnKeyUp);
  glutSpecialFunc(OnSpecialDown);
  glutSpecialUpFunc(OnSpecialUp);

  if (previous_window != 0) glutSetWindow(previous_window);
  return host.panel.get();
}

void SetMainGraphicsWindow(int window_id) { host.main_window = window_id; }

void SetPanelIdleFunction(void (*idle)()) {
  host.idle = idle;
  glutIdleFunc(OnIdle);
}

void SyncLiveVariables() {
  if (host.window == 0) return;
  glutPostWindowRedisplay(host.window);
}

void ExitProgram(int code) {
  if (host.window != 0 && ImGui::GetCurrentContext() != nullptr) {
    // The font texture belongs to the panel window's context.
    glutSetWindow(host.window);
    ImGui_ImplOpenGL2_Shutdown();
    ImGui_ImplGLUT_Shutdown();
    ImGui::DestroyContext();
  }
  std::exit(code);
}
