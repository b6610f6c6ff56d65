#include "app/scene-setup.h"


#include "app/app-globals.h"
#include "app/draw/model-drawing.h"

void InitScene() {
  SetUpExperiment(scene, experiment);
  CompileMissingDisplayLists();
}

void CompileMissingDisplayLists() {
  // The box's list is never called (the box is drawn as a scaled cube) but, like every loaded
  // model, it has one. Bodies rebuilt by a scene change share their new mesh, and its list.
  for (RBSystem* system : {&environment_system, &bodies_system}) {
    for (uint32_t i = 0; i < system->BodyCount(); ++i) {
      CompileDisplayList(system->Body(i)->render_model);
    }
  }
}
