#include "app/render-frame.h"

#include <GL/freeglut.h>

#include "app/app-globals.h"
#include "app/draw-scene.h"

void RenderFrame() {
  DrawScene();
  glFlush();
  glutSwapBuffers();
}
