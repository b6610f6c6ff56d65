#include "app/draw/draw-caption.h"

#include <GL/freeglut.h>

#include "app/app-globals.h"

namespace {

// GLUT's 12-pixel Helvetica: the longest caption, about 110 characters, is some 600 pixels wide
// in it and fits the 720-pixel window.
void* const kCaptionFont = GLUT_BITMAP_HELVETICA_12;
constexpr int kBaseline = 16;  // pixels from the top
constexpr int kHeight = 24;
const GLfloat kCaptionColour[] = {0.95f, 0.95f, 0.95f};

const char* Caption() { return SceneCaption(experiment.kind); }

}  // namespace

int CaptionHeight() { return Caption()[0] != '\0' ? kHeight : 0; }

void DrawCaption() {
  const char* caption = Caption();
  if (caption[0] == '\0') return;
  const WindowRecord& window = window_table[main_window];
  const unsigned char* text = reinterpret_cast<const unsigned char*>(caption);
  const int width = glutBitmapLength(kCaptionFont, text);

  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  // Window pixels, y down from the top.
  glOrtho(0, window.width, window.height, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glColor3fv(kCaptionColour);
  const int left = width < window.width ? (window.width - width) / 2 : 0;
  glRasterPos2i(left, kBaseline);
  glutBitmapString(kCaptionFont, text);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopAttrib();
}
