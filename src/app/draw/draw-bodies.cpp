#include "app/draw/draw-bodies.h"

#include <GL/gl.h>

#include "app/draw/body-transform.h"
#include "app/draw/model-drawing.h"
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

// The shine of body 0 and of a collided body, which the fading highlight blends towards.
const GLfloat kHighlightSpecular[] = {0.5f, 0.5f, 0.5f, 1.0f};
const GLfloat kHighlightShininess[] = {25.0f};

void SetHighlightShine() {
  glMaterialfv(GL_FRONT, GL_SPECULAR, kHighlightSpecular);
  glMaterialfv(GL_FRONT, GL_SHININESS, kHighlightShininess);
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

const GLfloat kCollidedAmbient[] = {0.45f, 0.075f, 0.075f, 1.0f};
const GLfloat kCollidedDiffuse[] = {0.9f, 0.15f, 0.15f, 1.0f};

void DrawCollidedBody(const RigidBody& body) {
  const SavedMaterial saved = SaveFrontMaterial();
  glMaterialfv(GL_FRONT, GL_AMBIENT, kCollidedAmbient);
  glMaterialfv(GL_FRONT, GL_DIFFUSE, kCollidedDiffuse);
  SetHighlightShine();
  DrawModel(body.render_model);
  RestoreFrontMaterial(saved, true);
}

// out = from + s (to - from), for the four components of a colour.
void Blend(const GLfloat from[4], const GLfloat to[4], float s, GLfloat out[4]) {
  for (int k = 0; k < 4; ++k) out[k] = from[k] + s * (to[k] - from[k]);
}

// Part of the way from the material in use to the collided red: the fading highlight.
void DrawFadingBody(const RigidBody& body, float strength) {
  const SavedMaterial saved = SaveFrontMaterial();
  GLfloat ambient[4], diffuse[4], specular[4], shininess[1];
  Blend(saved.ambient, kCollidedAmbient, strength, ambient);
  Blend(saved.diffuse, kCollidedDiffuse, strength, diffuse);
  Blend(saved.specular, kHighlightSpecular, strength, specular);
  shininess[0] = saved.shininess[0] + strength * (kHighlightShininess[0] - saved.shininess[0]);
  glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
  glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
  glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
  glMaterialfv(GL_FRONT, GL_SHININESS, shininess);
  DrawModel(body.render_model);
  RestoreFrontMaterial(saved, true);
}

}  // namespace

void DrawBodies(RBSystem& system, const float* highlight) {
  for (uint32_t i = 0; i < system.BodyCount(); ++i) {
    const RigidBody& body = *system.Body(i);
    const BodyTransform transform = TransformOf(body);
    glPushMatrix();
    glTranslatef(transform.translation.x, transform.translation.y, transform.translation.z);
    glRotatef(transform.angle_degrees, transform.axis.x, transform.axis.y, transform.axis.z);
    if (i == 0) {
      DrawShotBody(body);
    } else if (highlight) {
      if (highlight[i] > 0.0f) {
        DrawFadingBody(body, highlight[i]);
      } else {
        DrawModel(body.render_model);
      }
    } else if (body.render_model.IsCollided()) {
      DrawCollidedBody(body);
    } else {
      DrawModel(body.render_model);
    }
    glPopMatrix();
  }
}
