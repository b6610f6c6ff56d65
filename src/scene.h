#pragma once
// The scene that the demo and the headless benchmark share: the box environment, the spheres,
// and the two friction forces of every sphere, set up and driven by the same code in both.
// Nothing here touches OpenGL; the demo compiles the loaded models' display lists afterwards.

#include <string>
#include <vector>

#include "force-list.h"
#include "rb-system.h"
#include "simulation-iteration.h"

struct Scene {
  // force_slots: how many bodies the per-body force arrays hold (the demo's ten).
  explicit Scene(unsigned force_slots = 10);

  ForceList global_forces{10, 10};      // owns every Force
  RBSystem environment_system{1, &global_forces};  // the box; never stepped
  RBSystem bodies_system{&global_forces};          // the moving spheres
  std::vector<SlidingFriction*> sliding_forces;    // body i's sliding friction; not owning
  std::vector<RollingResistance*> rolling_forces;  // body i's rolling resistance; not owning
  float slide = 0.005f;  // sliding friction coefficient, given at set-up and at every Start
  float roll = 0.005f;   // rolling resistance coefficient, given when a body starts rolling
  std::string mesh_folder;  // where SetUpScene reads the mesh files; empty: the working directory
};

// Seeds the random generator; loads "box.tris" into the environment body (mass 1, turned half a
// turn about y) and body_count spheres from model file model_number, from the working
// directory (or scene.mesh_folder); resets; runs both collision passes; creates and attaches the forces (body i's
// sliding friction at index 2i, its rolling resistance at 2i + 1) and marks every body sliding.
// A missing or malformed mesh file ends the program with exit code 1 after its messages.
void SetUpScene(Scene& scene, unsigned seed, unsigned body_count = 10, int model_number = 3);

// Gives every body of the scene its two forces, body i's sliding friction at index 2i of the
// force list and its rolling resistance at 2i + 1, creating those that bodies beyond the ones
// before have not got yet (the list must hold nothing else beyond them), and marks every body
// sliding. Bodies rebuilt by Setup get their forces attached again. InitScene ends with it.
void AttachSceneForces(Scene& scene);

// The Reset button: Reset, then both collision passes.
void ResetScene(Scene& scene);

// What every shot begins with: each body sliding, with the current `slide` and rolling
// resistance 0.
void SlideAgain(Scene& scene);

// The Start button: every body sliding again with the current `slide`, rolling resistance 0;
// if the simulation is already running, re-rack first; then shoot body 0.
void StartScene(Scene& scene, bool started);

// The per-frame slide-to-roll rule over the scene's bodies.
void ApplyRollingRule(Scene& scene);
