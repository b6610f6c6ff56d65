#include "app/usage.h"

#include <cstring>

const char kUsage[] =
    "usage: quorvel [--help] [window system options: -display NAME, -geometry WxH+X+Y, -iconic,\n"
    "               -direct, -indirect, -gldebug, -sync]\n"
    "Run from the folder that holds box.tris and sphere03.tris (data/). Start in the panel\n"
    "shoots the white ball; every drawn frame then advances the simulation by one step.\n"
    "\n"
    "Keys in the main window:\n"
    "  w          outlines on or off (as the panel's Wireframe box)\n"
    "  x          quit\n"
    "  Space      pause or resume (frames are still drawn); before Start it arms the pause:\n"
    "             Start then sets up the shot and waits for '.'\n"
    "  .          while paused: take exactly one iteration (step, both collision passes,\n"
    "             the rolling rule)\n"
    "  t          pacing: every frame (the default) -> real time -> slow x10 -> every frame\n"
    "  h          overlay of measurements on or off: frame rate, simulated time, pacing,\n"
    "             cost of the last iteration, contacts, rolling bodies, kinetic energy,\n"
    "             momentum, and plots of the last ten seconds\n"
    "  f          fold the overlay to its first line, or unfold it\n"
    "  c          contact view on or off: touching triangles outlined, wall normals used as\n"
    "             arrows (yellow: bounced), collided balls fading over 0.3 s\n"
    "  b          bounding boxes of a collision tree, labelled with their depth: body 0's,\n"
    "             or over a ball that ball's; depth 0, 1, ... the leaves, off\n"
    "\n"
    "Mouse in the main window:\n"
    "  left drag              turn the view about the vertical axis\n"
    "  right drag             tilt the view\n"
    "  Shift + left drag      on a ball: pull it towards the pointer with a spring, in the\n"
    "                         level plane through its centre; beside a ball: nothing\n";

bool WantsHelp(int argc, char** argv) {
  for (int a = 1; a < argc; ++a) {
    if (std::strcmp(argv[a], "--help") == 0 || std::strcmp(argv[a], "-h") == 0) return true;
  }
  return false;
}

const char* UnknownArgument(int argc, char** argv) {
  // The window system's own options; the first two take a value.
  static const char* const with_value[] = {"-display", "-geometry"};
  static const char* const alone[] = {"-iconic", "-direct", "-indirect", "-gldebug", "-sync", "--help", "-h"};
  for (int a = 1; a < argc; ++a) {
    bool known = false;
    for (const char* option : with_value) {
      if (std::strcmp(argv[a], option) == 0 && a + 1 < argc) {
        known = true;
        ++a;
      }
    }
    for (const char* option : alone) known = known || std::strcmp(argv[a], option) == 0;
    if (!known) return argv[a];
  }
  return nullptr;
}
