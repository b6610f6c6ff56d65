#pragma once
// Sets up the global scene for the demo.

// Sets up the experiment's scene (by default the break, seeded by main with the current time in
// seconds): loads the box and ten bodies of sphere model 3 from the working directory (writing the loader's progress to the standard error
// stream), racks them, attaches their forces, then compiles every loaded model's display list.
// A missing or malformed mesh file ends the program with exit code 1 before any frame is drawn.
// Needs the main window's context to be current.
void InitScene();

// Compiles the display list of every loaded model that has none yet (after a replayed scene change
// rebuilt the balls). Needs the main window's context to be current.
void CompileMissingDisplayLists();
