#include "app/render-frame.h"

#include <GL/freeglut.h>

#include "app/app-globals.h"
#include "app/draw-scene.h"

void RenderFrame() {
  DrawScene();
  AdvanceSimulation();
  glFlush();
  glutSwapBuffers();
}

void AdvanceSimulation() {
  if (!started) return;
  RunSimulationIteration(scene, step_size);
  ApplyRollingRule(scene);
}
