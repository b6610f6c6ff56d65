#include "app/panel/panel-host.h"

#include <GL/freeglut.h>
#include <imgui.h>
#include <imgui_impl_glut.h>
#include <imgui_impl_opengl2.h>

#include <cstdlib>

#include "app/app-globals.h"
#include "app/panel/panel-context.h"
#include "base/assertion.h"

namespace {

// Frames drawn after the last input, so that hover and activation changes that the library
// shows one frame late reach the screen.
constexpr int kSettleFrames = 3;

void PushInput(PanelInput input) {
  const int modifiers = glutGetModifiers();
  input.shift = (modifiers & GLUT_ACTIVE_SHIFT) != 0;
  input.ctrl = (modifiers & GLUT_ACTIVE_CTRL) != 0;
  input.alt = (modifiers & GLUT_ACTIVE_ALT) != 0;
  panel_host.input.Push(input);
  glutPostRedisplay();
}

void PushMove(PanelInputKind kind, int x, int y) {
  PanelInput input;
  input.kind = kind;
  input.x = x;
  input.y = y;
  panel_host.input.Push(input);  // modifiers may only be asked inside key and button callbacks
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
  panel_host.input.Push(input);
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
  panel_host.width = width;
  panel_host.height = height;
  ImGui::GetIO().DisplaySize = ImVec2(static_cast<float>(width), static_cast<float>(height));
  // Mesa may draw the first frame after a resize into a buffer of the old size, which shows
  // the controls shifted against where the pointer finds them; the frames after it are right.
  panel_host.settle_frames = kSettleFrames;
  glutPostRedisplay();
}

void FitWindowToControls() {
  const PanelSize fitted = panel_host.panel->FittedSize();
  if (fitted.width != panel_host.width || fitted.height != panel_host.height) {
    glutReshapeWindow(fitted.width, fitted.height);
  }
}

void RunCallbacksInMainWindow() {
  if (panel_host.main_window == 0) {
    panel_host.panel->RunFiredCallbacks();
    return;
  }
  glutSetWindow(panel_host.main_window);
  panel_host.panel->RunFiredCallbacks();
  glutPostRedisplay();
  glutSetWindow(panel_host.window);
}

void OnDisplay() {
  ImGuiIO& io = ImGui::GetIO();
  if (panel_host.input.FeedOneFrame(io)) panel_host.settle_frames = kSettleFrames;
  ImGui_ImplOpenGL2_NewFrame();  // uploads the font texture into this window's context once
  ImGui_ImplGLUT_NewFrame();
  panel_host.panel->Draw();
  ImGui::Render();

  // The library's reshape handler is not installed, so the viewport is set here.
  glViewport(0, 0, panel_host.width, panel_host.height);
  const ImVec4 background = ImGui::GetStyle().Colors[ImGuiCol_WindowBg];
  glClearColor(background.x, background.y, background.z, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
  glutSwapBuffers();

  FitWindowToControls();
  RunCallbacksInMainWindow();

  // A held button repeats (spinner arrows) only while frames are drawn.
  const bool button_held = io.MouseDown[0] || io.MouseDown[1] || io.MouseDown[2];
  if (!panel_host.input.Empty() || button_held) panel_host.settle_frames = kSettleFrames;
  if (panel_host.settle_frames > 0) {
    --panel_host.settle_frames;
    glutPostRedisplay();
  }
}

void OnIdle() {
  if (panel_host.idle != nullptr) panel_host.idle();
}

}  // namespace

PanelWindow* CreatePanelWindow(const char* title, int x, int y) {
  QUORVEL_ASSERT(panel_host.window == 0);
  const int previous_window = glutGetWindow();

  glutInitWindowPosition(x, y);
  glutInitWindowSize(PanelHost::kInitialWidth, PanelHost::kInitialHeight);
  panel_host.window = glutCreateWindow(title);
  panel_host.panel = std::make_unique<PanelWindow>(title);

  ImGui::CreateContext();
  ImGui_ImplGLUT_Init();
  ConfigurePanelContext();
  ImGui_ImplOpenGL2_Init();
  ImGui::GetIO().DisplaySize =
      ImVec2(static_cast<float>(PanelHost::kInitialWidth), static_cast<float>(PanelHost::kInitialHeight));

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
  return panel_host.panel.get();
}

void SetMainGraphicsWindow(int window_id) { panel_host.main_window = window_id; }

void SetPanelIdleFunction(void (*idle)()) {
  panel_host.idle = idle;
  glutIdleFunc(OnIdle);
}

void SyncLiveVariables() {
  if (panel_host.window == 0) return;
  glutPostWindowRedisplay(panel_host.window);
}

void ExitProgram(int code) {
  if (panel_host.window != 0 && ImGui::GetCurrentContext() != nullptr) {
    // The font texture belongs to the panel window's context.
    glutSetWindow(panel_host.window);
    ImGui_ImplOpenGL2_Shutdown();
    ImGui_ImplGLUT_Shutdown();
    ImGui::DestroyContext();
  }
  std::exit(code);
}
