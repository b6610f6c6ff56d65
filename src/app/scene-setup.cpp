#include "app/scene-setup.h"

#include <GL/gl.h>

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
  // All balls share body 0's mesh and its list. Balls rebuilt for the new scene come with a
  // mesh of their own, not yet compiled: the old list then draws nothing any more.
  const unsigned old_list = bodies_system.BodyCount() ? bodies_system.Body(0)->render_model.display_list() : 0;
  SessionAction change;  // through the timeline, which writes it into a session being recorded
  change.kind = ActionKind::Scene;
  change.scene = kind;
  timeline.Perform(change);
  if (old_list != 0 && bodies_system.Body(0)->render_model.display_list() == 0) glDeleteLists(old_list, 1);
  CompileDisplayLists();
}
