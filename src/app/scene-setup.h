#pragma once
// Sets up the global scene for the demo.

// Seeds the random generator with the current time in seconds, loads the box and ten bodies of
// sphere model 3 from the working directory (writing the loader's progress to the standard error
// stream), racks them, attaches their forces, then compiles every loaded model's display list.
// A missing or malformed mesh file ends the program with exit code 1 before any frame is drawn;
// a missing one's message is followed by a line naming the working folder and data/. After the
// set-up's text, one line names `quorvel --help`. Needs the main window's context to be current.
void InitScene();
