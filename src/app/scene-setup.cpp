#include "app/scene-setup.h"

#include <ctime>

#include "app/app-globals.h"
#include "app/draw/model-drawing.h"

void InitScene() {
  SetUpScene(scene, static_cast<unsigned>(std::time(nullptr)));
  // The box's list is never called (the box is drawn as a scaled cube) but, like every loaded
  // model, it has one.
  for (RBSystem* system : {&environment_system, &bodies_system}) {
    for (uint32_t i = 0; i < system->BodyCount(); ++i) {
      CompileDisplayList(system->Body(i)->render_model);
    }
  }
}
