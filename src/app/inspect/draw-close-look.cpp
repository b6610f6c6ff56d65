#include "app/inspect/draw-close-look.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <vector>

#include "app/app-globals.h"
#include "app/draw/body-transform.h"
#include "inspect/contact-geometry.h"
#include "inspect/tree-boxes.h"
#include "inspect/tree-view.h"

namespace {

// Colours no part of the scene has, so that the views stand out (and can be found in a picture).
const GLfloat kTreeColour[] = {0.0f, 1.0f, 1.0f};
// The leaves above the shown depth: faint, so that the level shown stands out.
const GLfloat kTreeLeafAboveColour[] = {0.0f, 0.3f, 0.3f};
const GLfloat kTouchingColour[] = {1.0f, 0.0f, 1.0f};
const GLfloat kBouncedArrowColour[] = {1.0f, 1.0f, 0.0f};
const GLfloat kRestingArrowColour[] = {1.0f, 0.55f, 0.0f};
const GLfloat kPullColour[] = {1.0f, 1.0f, 1.0f};

constexpr float kArrowLength = 3.0f;  // world units: about a ball and a half

void Vertex(const Vec3& v) { glVertex3f(v.x, v.y, v.z); }
void Vertex(const double v[3]) { glVertex3d(v[0], v[1], v[2]); }

// The twelve edges of a box in model coordinates.
void DrawBoxEdges(const OrientedBox& box) {
  double corner[8][3];
  for (int c = 0; c < 8; ++c) {
    const double sign[3] = {c & 1 ? 1.0 : -1.0, c & 2 ? 1.0 : -1.0, c & 4 ? 1.0 : -1.0};
    for (int k = 0; k < 3; ++k) {
      corner[c][k] = box.center[k];
      for (int a = 0; a < 3; ++a) corner[c][k] += sign[a] * box.half_extents[a] * box.axes[k][a];
    }
  }
  // Corners c and c ^ bit differ along one axis: each such pair is an edge.
  for (int c = 0; c < 8; ++c) {
    for (int bit = 1; bit < 8; bit <<= 1) {
      if (c & bit) continue;
      Vertex(corner[c]);
      Vertex(corner[c | bit]);
    }
  }
}

void DrawTreeBoxes() {
  const TreeView& view = close_look.tree;
  if (!view.on() || view.body >= bodies_system.BodyCount()) return;
  std::vector<OrientedBox>& boxes = close_look.buffers.tree_boxes;
  const RigidBody& body = *bodies_system.Body(view.body);
  TreeBoxesAtDepth(body.collision_model(), view.depth, boxes);
  const BodyTransform transform = TransformOf(body);
  glPushMatrix();
  glTranslatef(transform.translation.x, transform.translation.y, transform.translation.z);
  glRotatef(transform.angle_degrees, transform.axis.x, transform.axis.y, transform.axis.z);
  glLineWidth(1.0f);
  glBegin(GL_LINES);
  // The faint ones first, so that the shown depth's edges lie on top.
  glColor3fv(kTreeLeafAboveColour);
  for (const OrientedBox& box : boxes)
    if (box.depth < view.depth) DrawBoxEdges(box);
  glColor3fv(kTreeColour);
  for (const OrientedBox& box : boxes)
    if (box.depth == view.depth) DrawBoxEdges(box);
  glEnd();
  glPopMatrix();
}

// "tree of body N: depth D of H" in the main window's bottom-left corner, in the tree's colour.
void DrawTreeLabel() {
  const TreeView& view = close_look.tree;
  if (!view.on() || view.body >= bodies_system.BodyCount()) return;
  char text[80];
  std::snprintf(text, sizeof text, "tree of body %u: depth %d of %d (b: deeper, over a ball: its tree)", view.body,
                view.depth, TreeHeight(bodies_system.Body(view.body)->collision_model()));
  const WindowRecord& window = window_table[main_window];
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, window.width, 0, window.height, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glColor3fv(kTreeColour);
  glRasterPos2i(8, 10);
  glutBitmapString(GLUT_BITMAP_HELVETICA_12, reinterpret_cast<const unsigned char*>(text));
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
}

// A line with two barbs at its head.
void DrawArrow(const WallArrow& arrow) {
  const Vec3 along = arrow.to - arrow.from;
  Vec3 side = Cross(along, Vec3(0, 1, 0));
  if (side.Length() < 1e-3f * along.Length()) side = Cross(along, Vec3(1, 0, 0));
  side.Normalize();
  const Vec3 back = arrow.to - 0.25f * along;
  const float barb = 0.25f * along.Length();
  Vertex(arrow.from);
  Vertex(arrow.to);
  Vertex(arrow.to);
  Vertex(back + barb * side);
  Vertex(arrow.to);
  Vertex(back - barb * side);
}

void DrawContacts() {
  if (!close_look.contact_view) return;
  std::vector<PlacedTriangle>& triangles = close_look.buffers.touching_triangles;
  std::vector<WallArrow>& arrows = close_look.buffers.wall_arrows;
  PlaceTouchingTriangles(close_look.record, bodies_system, environment_system, triangles);
  PlaceWallArrows(close_look.record, bodies_system, environment_system, kArrowLength, arrows);

  glColor3fv(kTouchingColour);
  glLineWidth(2.0f);
  for (const PlacedTriangle& triangle : triangles) {
    glBegin(GL_LINE_LOOP);
    for (const Vec3& v : triangle.vertex) Vertex(v);
    glEnd();
  }
  // A ball's triangles are a few pixels across from the default distance: a dot marks each.
  glPointSize(6.0f);
  glBegin(GL_POINTS);
  for (const PlacedTriangle& triangle : triangles) {
    if (!triangle.environment) Vertex((1.0f / 3.0f) * (triangle.vertex[0] + triangle.vertex[1] + triangle.vertex[2]));
  }
  glEnd();

  glBegin(GL_LINES);
  for (const WallArrow& arrow : arrows) {
    glColor3fv(arrow.bounced ? kBouncedArrowColour : kRestingArrowColour);
    DrawArrow(arrow);
  }
  glEnd();
}

void DrawPull() {
  if (!close_look.pull.active()) return;
  glColor3fv(kPullColour);
  glLineWidth(1.0f);
  glBegin(GL_LINES);
  Vertex(close_look.pull.HeldPoint());
  Vertex(close_look.pull.Target());
  glEnd();
  glPointSize(5.0f);
  glBegin(GL_POINTS);
  Vertex(close_look.pull.Target());
  glEnd();
}

}  // namespace

void DrawCloseLookViews() {
  const bool any = close_look.tree.on() || close_look.contact_view || close_look.pull.active();
  if (!any) return;
  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT | GL_POINT_BIT | GL_POLYGON_BIT);
  // Unlit, untextured, and in front of everything: what the views show lies on or inside the
  // bodies' surfaces.
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  DrawTreeBoxes();
  DrawContacts();
  DrawPull();
  DrawTreeLabel();
  glPopAttrib();
}
