#include "app/init-gl.h"

#include <GL/gl.h>

#include "app/draw/checker-image.h"

unsigned checker_texture = 0;

void InitGL() {
  glClearColor(0.1f, 0.15f, 0.2f, 1.0f);
  glShadeModel(GL_SMOOTH);

  const GLfloat initial_specular[] = {0.8f, 0.8f, 0.8f, 1.0f};
  const GLfloat initial_shininess[] = {25.0f};
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, initial_specular);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SHININESS, initial_shininess);

  const GLfloat light_direction[] = {5.0f, 2.0f, 3.0f, 0.0f};  // w = 0: a directional light
  const GLfloat white[] = {1.0f, 1.0f, 1.0f, 1.0f};
  glLightfv(GL_LIGHT0, GL_POSITION, light_direction);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
  glLightfv(GL_LIGHT0, GL_SPECULAR, white);

  const GLfloat ambient[] = {0.4f, 0.4f, 0.4f, 1.0f};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);

  MakeCheckerImage();
  GLuint texture = 0;
  glGenTextures(1, &texture);
  checker_texture = texture;
  glBindTexture(GL_TEXTURE_2D, checker_texture);
  // u repeats: the texture coordinates of triangles across the sphere's seam run past 1.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kCheckerSize, kCheckerSize, 0, GL_RGBA,
               GL_UNSIGNED_BYTE, checker_image);

  glEnable(GL_LINE_SMOOTH);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_CULL_FACE);
  glEnable(GL_DEPTH_TEST);
}
