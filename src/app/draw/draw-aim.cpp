#include "app/draw/draw-aim.h"

#include <GL/gl.h>

#include "app/app-globals.h"

namespace {

// Yellow: nothing else in the default scene is, so it stands out on the greenish floor.
const GLfloat kAimColour[] = {1.0f, 1.0f, 0.0f};
// Just above the floor (y = -1), so that the depth test keeps it under the balls without
// fighting the floor's own depth.
constexpr float kAimHeight = -0.95f;
constexpr float kAimLineWidth = 3.0f;

}  // namespace

void DrawAim() {
  const std::optional<Shot>& shot = aim_drag.active ? aim_drag.shot : experiment.aim;
  if (!shot || started || bodies_system.BodyCount() == 0) return;
  const Vec3 from = bodies_system.Body(0)->position;
  const Vec3 to = from + shot->speed * shot->direction;
  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_CULL_FACE);
  glColor3fv(kAimColour);
  glLineWidth(kAimLineWidth);
  glBegin(GL_LINES);
  glVertex3f(from.x, kAimHeight, from.z);
  glVertex3f(to.x, kAimHeight, to.z);
  glEnd();
  glPopAttrib();
}
