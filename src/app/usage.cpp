#include "app/usage.h"

#include <cstring>

const char kUsage[] =
    "usage: quorvel [--help] [--seed N] [--bodies N] [--model N] [--scene NAME]\n"
    "               [--record FILE | --replay FILE] [--fingerprint] [--shots DIR]\n"
    "               [window system options]\n"
    "Run from the folder that holds box.tris and sphere03.tris (data/). Start in the panel\n"
    "shoots the white ball; every drawn frame then advances the simulation by one step.\n"
    "\n"
    "Options (as quorvel-bench's; a bad value exits with code 2 before any window opens):\n"
    "  --seed N      seed of the random generator, 0 .. 4294967295 (default: the time), so\n"
    "                that a whole session of Starts repeats\n"
    "  --bodies N    balls of the break, 1 .. 1000 (default 10; beyond ten placed at random),\n"
    "                or of the crowd, 2 .. 300 (default 200, also when stepped to with\n"
    "                a value beyond that)\n"
    "  --model N     sphere model N, 0 .. 99: sphereNN.tris (default 3)\n"
    "  --scene NAME  the scene to start with: break (the default), head-on, glancing, cradle,\n"
    "                slide-to-roll, bank, crowd\n"
    "  --record FILE   write the session (the run's options and every action that changes the\n"
    "                  simulation, stamped with its iteration) to FILE as it goes\n"
    "  --replay FILE   play a recorded session back at the pace of the iterations (its scene,\n"
    "                  seed, balls and model replace the options above); any change\n"
    "                  of yours ends the replay and the run goes on live from there\n"
    "                  (quorvel-bench --replay FILE --fingerprint plays it headless)\n"
    "  --fingerprint   at exit, print the final state's fingerprint on the standard error stream\n"
    "  --shots DIR     the folder 'p' writes its pictures into (default: the working directory)\n"
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
    "  Left Right while paused: one iteration back or forward through the history (Shift: ten);\n"
    "             Space or . then continues from the state shown, dropping the later history\n"
    "  p          write the main window as drawn to quorvel-<scene>-<iteration>.png\n"
    "  Enter      re-rack the scene and repeat the last shot exactly\n"
    "  [ ]        the previous or next scene, racked and waiting for Start\n"
    "  Home       the start-up view again (turn, tilt and distance)\n"
    "\n"
    "Mouse in the main window:\n"
    "  left drag              turn the view about the vertical axis\n"
    "  right drag             tilt the view\n"
    "  wheel                  zoom in or out\n"
    "  Shift + left drag      on a ball: pull it towards the pointer with a spring, in the\n"
    "                         level plane through its centre; beside a ball: nothing\n"
    "  Ctrl + left drag       before Start: aim the next shot from the white ball towards\n"
    "                         the pointer, speed from the drag's length (1 to 30); a\n"
    "                         Ctrl + click aims at speed 15. A yellow line shows it\n";

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
