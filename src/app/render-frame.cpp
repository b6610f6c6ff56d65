#include "app/render-frame.h"

#include <GL/freeglut.h>

#include <chrono>
#include <vector>

#include "app/app-globals.h"
#include "app/demo-session.h"
#include "app/scene-setup.h"
#include "app/inspect/draw-close-look.h"
#include "app/draw/draw-aim.h"
#include "app/draw/draw-caption.h"
#include "app/draw/draw-scene.h"
#include "app/inspect/overlay.h"
#include "app/inspect/screenshot.h"
#include "inspect/frame-advance.h"

namespace {

// In the contact view, a ball that touched something stays highlighted while its contact
// fades; otherwise it is red for the frame after the passes that flagged it.
// Looking back through the history, the balls that touched something in the iteration shown are
// red, as the fade is a thing of wall time, not of that iteration.
void DrawSceneAsViewed(double now) {
  if (!close_look.contact_view) {
    DrawScene();
    return;
  }
  std::vector<float>& highlight = close_look.buffers.highlight;
  highlight.resize(bodies_system.BodyCount());
  const bool browsing = timeline.history().browsing();
  for (uint32_t i = 0; i < bodies_system.BodyCount(); ++i)
    highlight[i] = browsing ? (bodies_system.Body(i)->render_model.IsCollided() ? 1.0f : 0.0f)
                            : close_look.monitor.fade().Strength(i, now);
  DrawScene(highlight.data());
}

}  // namespace

void RenderFrame() {
  DrawFrame(SteadyClockSeconds());
  if (close_look.shot_wanted) {  // the frame as drawn, before the buffers swap
    close_look.shot_wanted = false;
    WriteMainWindowShot();
  }
  AdvanceSimulation();
  glFlush();
  glutSwapBuffers();
}

void DrawFrame(double now) {
  DrawSceneAsViewed(now);
  DrawAim();
  DrawCloseLookViews();
  DrawCaption();
  if (close_look.overlay) DrawOverlay(now);
}

void AdvanceSimulation() {
  const unsigned balls_list = BallsDisplayList();
  timeline.CarryOutDue();
  RefreshDisplayLists(balls_list);  // a replayed scene change may have rebuilt the balls
  // The break predicts nothing: its frames feed no check.
  SceneCheck* check = experiment.kind == SceneKind::Break ? nullptr : &experiment.check;
  AdvanceFrame(scene, started, close_look.pacer, SteadyClockSeconds(), step_size, &close_look.monitor,
               close_look.overlay, check, &timeline);
  FollowReplay();
}

double SteadyClockSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - frame_clock_origin).count();
}
