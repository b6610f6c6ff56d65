#include "app/scene-setup.h"

#include <GL/gl.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <iostream>

#include "app/app-globals.h"
#include "app/draw/model-drawing.h"

namespace {

// Models that share a mesh share its list, compiled once.
void CompileDisplayLists() {
  for (RBSystem* system : {&environment_system, &bodies_system}) {
    for (uint32_t i = 0; i < system->BodyCount(); ++i) {
      CompileDisplayList(system->Body(i)->render_model);
    }
  }
}

// After the loader's message for a mesh file it could not open: where the demo looked.
void SayWhereTheMeshFilesAre() {
  char folder[PATH_MAX];
  std::cerr << "quorvel: the working folder is " << (getcwd(folder, sizeof folder) ? folder : "unknown")
            << "; the mesh files are in data/ (make run starts the demo there)." << std::endl;
}

// The loader ends the program on a file it cannot open; the hint then follows its message.
void HintWhereTheMeshFilesAreIfMissing() {
  char sphere[64];
  RBSystem::ModelFileName(experiment.model, sphere, sizeof sphere);
  for (const char* file : {"box.tris", static_cast<const char*>(sphere)}) {
    if (access(file, R_OK) != 0) {
      std::atexit(SayWhereTheMeshFilesAre);
      return;
    }
  }
}

}  // namespace

void InitScene() {
  HintWhereTheMeshFilesAreIfMissing();
  SetUpExperiment(scene, experiment);
  // The box's list is never called (the box is drawn as a scaled cube) but, like every loaded
  // model, it has one.
  CompileDisplayLists();
  std::cerr << "Keys and mouse of the main window: quorvel --help" << std::endl;
}

unsigned BallsDisplayList() {
  return bodies_system.BodyCount() ? bodies_system.Body(0)->render_model.display_list() : 0;
}

void RefreshDisplayLists(unsigned old_list) {
  // Balls rebuilt for a new scene come with a mesh of their own, not yet compiled: the old list
  // then draws nothing any more.
  if (old_list != 0 && BallsDisplayList() == 0) glDeleteLists(old_list, 1);
  CompileDisplayLists();
}

void ShowScene(SceneKind kind) {
  if (close_look.pull.active()) close_look.pull.End();
  close_look.record.Clear();
  const unsigned old_list = BallsDisplayList();
  SessionAction change;  // through the timeline, which writes it into a session being recorded
  change.kind = ActionKind::Scene;
  change.scene = kind;
  timeline.Perform(change);
  RefreshDisplayLists(old_list);
}
