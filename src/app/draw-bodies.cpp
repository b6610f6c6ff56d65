#include "app/draw-bodies.h"

#include <GL/gl.h>

#include "app/body-transform.h"
#include "app/model-drawing.h"
#include "rb-system.h"

namespace {

// The front material parameters a highlight changes, read before and set back after, so that
// the bodies' own material is not set again for every body.
struct SavedMaterial {
  GLfloat ambient[4];
  GLfloat diffuse[4];
  GLfloat specular[4];
  GLfloat shininess[1];
};

SavedMaterial SaveFrontMaterial() {
  SavedMaterial saved;
  glGetMaterialfv(GL_FRONT, GL_AMBIENT, saved.ambient);
  glGetMaterialfv(GL_FRONT, GL_DIFFUSE, saved.diffuse);
  glGetMaterialfv(GL_FRONT, GL_SPECULAR, saved.specular);
  glGetMaterialfv(GL_FRONT, GL_SHININESS, saved.shininess);
  return saved;
}

void RestoreFrontMaterial(const SavedMaterial& saved, bool with_ambient) {
  if (with_ambient) glMaterialfv(GL_FRONT, GL_AMBIENT, saved.ambient);
  glMaterialfv(GL_FRONT, GL_DIFFUSE, saved.diffuse);
  glMaterialfv(GL_FRONT, GL_SPECULAR, saved.specular);
  glMaterialfv(GL_FRONT, GL_SHININESS, saved.shininess);
}

void SetHighlightShine() {
  const GLfloat specular[] = {0.5f, 0.5f, 0.5f, 1.0f};
  const GLfloat shininess[] = {25.0f};
  glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
  glMaterialfv(GL_FRONT, GL_SHININESS, shininess);
}

// Body 0 is white whatever its collided flag.
void DrawShotBody(const RigidBody& body) {
  const SavedMaterial saved = SaveFrontMaterial();
  const GLfloat white[] = {1.0f, 1.0f, 1.0f, 1.0f};
  glMaterialfv(GL_FRONT, GL_DIFFUSE, white);
  SetHighlightShine();
  DrawModel(body.render_model);
  RestoreFrontMaterial(saved, false);
}

void DrawCollidedBody(const RigidBody& body) {
  const SavedMaterial saved = SaveFrontMaterial();
  const GLfloat ambient[] = {0.45f, 0.075f, 0.075f, 1.0f};
  const GLfloat diffuse[] = {0.9f, 0.15f, 0.15f, 1.0f};
  glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
  glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
  SetHighlightShine();
  DrawModel(body.render_model);
  RestoreFrontMaterial(saved, true);
}

}  // namespace

void DrawBodies(RBSystem& system) {
  for (uint32_t i = 0; i < system.BodyCount(); ++i) {
    const RigidBody& body = *system.Body(i);
    const BodyTransform transform = TransformOf(body);
    glPushMatrix();
    glTranslatef(transform.translation.x, transform.translation.y, transform.translation.z);
    glRotatef(transform.angle_degrees, transform.axis.x, transform.axis.y, transform.axis.z);
    if (i == 0) {
      DrawShotBody(body);
    } else if (body.render_model.IsCollided()) {
      DrawCollidedBody(body);
    } else {
      DrawModel(body.render_model);
    }
    glPopMatrix();
  }
}
