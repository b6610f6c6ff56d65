#include "app/draw/draw-scene.h"

#include <GL/freeglut.h>

#include "app/app-globals.h"
#include "app/draw/draw-bodies.h"
#include "app/init-gl.h"

namespace {

void SetBoxMaterial() {
  const GLfloat colour[] = {0.6035f, 0.8496f, 0.7325f, 1.0f};
  const GLfloat no_specular[] = {0.0f, 0.0f, 0.0f, 0.0f};
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, colour);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, no_specular);
}

void SetBodyMaterial() {
  const GLfloat ambient[] = {0.2125f, 0.1275f, 0.054f, 1.0f};
  const GLfloat diffuse[] = {0.714f, 0.4284f, 0.1814f, 1.0f};
  const GLfloat specular[] = {0.3935f, 0.2719f, 0.1667f, 1.0f};
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
}

void DrawUnitCubeAsBox() {
  glPushMatrix();
  glTranslatef(0.0f, 4.5f, 0.0f);
  glScalef(30.0f, 11.0f, 40.0f);
  glutSolidCube(1.0);
  glPopMatrix();
}

// The unit cube scaled to the play volume, x -15..15, y -1..10, z -20..20. Seen from outside,
// the faces towards the eye are front faces, drawn as outlines; the far ones are back faces,
// drawn filled and lit on both sides.
//
// The far faces and the near ones go in two passes, each culling the other kind. Drawn in one
// pass with culling off, Mesa's software renderer runs the filled faces through its smoothed-line
// stage too and gives them an alpha near 0, so with blending on the floor all but vanishes.
void DrawBox() {
  glPolygonMode(GL_FRONT, GL_LINE);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_FRONT);
  DrawUnitCubeAsBox();
  glCullFace(GL_BACK);
  DrawUnitCubeAsBox();
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
  if (wireframe == 0) glPolygonMode(GL_FRONT, GL_FILL);
}

}  // namespace

void DrawScene(const float* highlight) {
  SetBoxMaterial();
  DrawBox();
  SetBodyMaterial();
  glEnable(GL_TEXTURE_2D);
  // With the decal mode and the texture's alpha of 48/255, the lit material colour shows through
  // with the checker laid faintly over it.
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
  glBindTexture(GL_TEXTURE_2D, checker_texture);
  DrawBodies(bodies_system, highlight);
  glDisable(GL_TEXTURE_2D);
}
