#include "app/scene-setup.h"

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

}  // namespace

void InitScene() {
  SetUpExperiment(scene, experiment);
  // The box's list is never called (the box is drawn as a scaled cube) but, like every loaded
  // model, it has one.
  CompileDisplayLists();
}

void CompileMissingDisplayLists() { CompileDisplayLists(); }

void ShowScene(SceneKind kind) {
  if (close_look.pull.active()) close_look.pull.End();
  close_look.record.Clear();
  SessionAction change;  // through the timeline, which writes it into a session being recorded
  change.kind = ActionKind::Scene;
  change.scene = kind;
  timeline.Perform(change);
  CompileDisplayLists();
}
