#pragma once
// Sets up the global scene for the demo and switches it to another experiment.

#include "scenes/scene-kind.h"

// Sets up the experiment the options chose (by default the break: the generator
// seeded with the time in seconds, the box and ten bodies of sphere model 3 from the working
// directory, the loader's progress written to the standard error stream), racks it, attaches
// the forces, then compiles every loaded model's display list. A missing or malformed mesh file
// ends the program with exit code 1 before any frame is drawn. Needs the main window's context
// to be current. A missing mesh file's message is followed by a line naming the working folder
// and data/; after the set-up's text, one line names `quorvel --help`.
void InitScene();

// '[' and ']': the scene of that kind, racked and waiting for Start (the pause state holds). A
// pull under way ends and the contact view's record is cleared (it names balls of the old
// scene); rebuilt balls get their display lists. Needs the main window's context.
void ShowScene(SceneKind kind);

// The display list all balls share (body 0's), 0 when there is none.
unsigned BallsDisplayList();
// After anything that may have rebuilt the balls (a scene change, also a replayed one): frees
// old_list, the balls' list from before, when the balls no longer use it, and compiles the list
// of every loaded model that has none yet. Needs the main window's context to be current.
void RefreshDisplayLists(unsigned old_list);
