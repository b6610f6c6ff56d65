#pragma once
// A session as plain text a person can read: what defines the run, then every action that
// changed the simulation, each stamped with the iteration it precedes (iterations counted from
// the session's beginning, never going back, also across rewinds):
//
//   quorvel-session 1
//   scene break
//   seed 1765200000
//   bodies 0                        (0: the scene's own number of balls)
//   model 3
//   0 slide 0.005                   (the panel's settings as the session began)
//   0 roll 0.005
//   0 step 0.1
//   0 integrator euler
//   0 start own 0.6 0 -0.8 15       (the shot: direction x y z, speed; the scene's own or aimed)
//   12 pull 3 0.1 0.9 -0.2          (body, the held point's offset from its centre)
//   12 target 1.5 0 2               (where the held point is pulled to, before every iteration)
//   14 release
//   20 rewind 7                     (back to the state after iteration 7 of the current run)
//   31 reset / enter / scene NAME / slide V / roll V / step V / integrator euler|rk4
//   40 end                          (the session ended here)
//
// Floats are written with the fewest digits (at most nine) that read back to the same bits.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "math/vec3.h"
#include "scenes/experiment.h"
#include "scenes/scene-kind.h"
#include "scenes/shot.h"

enum class ActionKind { Start, Reset, Enter, Scene, Slide, Roll, Step, Integrator, Pull, Target, Release, Rewind, End };

struct SessionAction {
  uint64_t iteration = 0;  // the iteration it precedes
  ActionKind kind = ActionKind::End;
  Shot shot;             // Start
  bool aimed = false;    // Start: the user aimed it (else the scene's own: drawn, or fixed)
  SceneKind scene = SceneKind::Break;  // Scene
  float value = 0;       // Slide, Roll, Step
  bool rk4 = false;      // Integrator
  uint32_t body = 0;     // Pull
  Vec3 point;            // Pull: the grip offset; Target: the target, world coordinates
  uint64_t back_to = 0;  // Rewind
  int line = 0;          // the line it was read from; 0 when not read
};

// What defines a run: the scene, the seed and the --bodies and --model choices.
struct SessionOptions {
  SceneKind scene = SceneKind::Break;
  unsigned seed = 0;
  unsigned bodies = 0;
  int model = 3;
};

struct Session {
  SessionOptions options;
  std::vector<SessionAction> actions;  // in the file's order
  bool ended = false;                  // the last action is End
};

// The header and the options, each line ending in a newline.
std::string FormatSessionHeader(const SessionOptions& options);
// One action's line, with its newline.
std::string FormatSessionAction(const SessionAction& action);

// Reads a session. A file that cannot be read, or is not a whole session of version 1 (unknown
// version, a malformed line, an action stamped before the one before it, a scene or a model file
// that does not exist in the working directory, a last line without its newline, anything after
// end) gives false and a message naming the file and the line.
bool ReadSession(const char* path, Session& session, std::string& problem);
// The same for a session's text; `name` stands for the file in messages.
bool ParseSession(const std::string& text, const char* name, Session& session, std::string& problem);

// The experiment a session's options set up: seed, scene, bodies and model.
Experiment ExperimentOf(const SessionOptions& options);
