// The demo's entry point: opens the main window, sets up the camera, the drawing state, the
// scene and the control panel, then hands control to the window system's event loop for good.
// With --help it prints the usage and the keys instead, needing no display; a bad option value
// ends it with code 2 before any window opens.

#include <GL/freeglut.h>

#include <cstdio>
#include <ctime>
#include <string>

#include "app/app-globals.h"
#include "app/control-panel.h"
#include "app/demo-session.h"
#include "app/demo-options.h"
#include "app/init-gl.h"
#include "app/mouse-navigation.h"
#include "app/scene-setup.h"
#include "app/usage.h"
#include "app/window-callbacks.h"

namespace {
// The main window opens square at this size, which the projection's aspect is taken from, and is
// held at this screen position (RestoreWindowGeometry).
constexpr int kMainWindowSize = 720;  // pixels, width and height
constexpr int kMainWindowX = 50;
constexpr int kMainWindowY = 50;
constexpr int kBadOptionCode = 2;  // as the benchmark's
}  // namespace

int main(int argc, char** argv) {
  if (WantsHelp(argc, argv)) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  // Checked before the window system starts, so that a bad value opens no window. Without --seed
  // the generator is seeded with the time in seconds.
  std::string problem;
  if (!TakeDemoOptions(argc, argv, static_cast<unsigned>(std::time(nullptr)), experiment, problem)) {
    std::fprintf(stderr, "quorvel: %s (quorvel --help lists the options)\n", problem.c_str());
    return kBadOptionCode;
  }
  SessionFlags options;
  if (!TakeSessionFlags(argc, argv, options, problem)) {
    std::fprintf(stderr, "quorvel: %s (quorvel --help lists the options)\n", problem.c_str());
    return kBadOptionCode;
  }
  if (const char* unknown = UnknownArgument(argc, argv)) {
    std::fprintf(stderr, "quorvel: unknown option '%s'\n%s", unknown, kUsage);
    return kBadOptionCode;
  }
  Session session;
  if (!PrepareDemoSession(options, session)) return 1;
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutInitWindowSize(kMainWindowSize, kMainWindowSize);
  glutInitWindowPosition(kMainWindowX, kMainWindowY);

  const int id = glutCreateWindow("Quorvel Rigid Body Dynamics");
  window_table[id].window_id = id;
  window_table[id].pos_x = kMainWindowX;
  window_table[id].pos_y = kMainWindowY;
  main_window = id;

  glutDisplayFunc(Display);
  glutReshapeFunc(Reshape);
  glutMouseFunc(Mouse);
  glutMotionFunc(Motion);
  glutKeyboardFunc(Keyboard);
  glutSpecialFunc(SpecialKey);
  glutMouseWheelFunc(MouseWheel);

  camera.SetView(Vec3(view_distance, 0.0f, 0.0f), Vec3(0.0f, 0.0f, 0.0f), Vec3(0.0f, 1.0f, 0.0f));
  camera.SetNearPlane(40.0f);
  camera.SetFarPlane(400.0f);
  camera.ApplyProjection(kMainWindowSize, kMainWindowSize);
  UpdateEye();  // the start-up angles: almost straight above the origin
  window_table[id].camera = &camera;

  InitGL();
  InitScene();
  if (!BeginDemoSession(options, session)) return 1;
  CreateControlPanel(main_window, Idle);
  glutMainLoop();
  return 0;
}
