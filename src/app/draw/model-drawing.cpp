#include "app/draw/model-drawing.h"

#include <GL/gl.h>

#include "model.h"

void CompileDisplayList(Model& model) {
  if (model.display_list() != 0) return;  // compiled for a model that shares the triangles
  const unsigned list = glGenLists(1);
  model.set_display_list(list);
  glNewList(list, GL_COMPILE);
  glBegin(GL_TRIANGLES);
  const MeshTriangle* tris = model.tris();
  for (int i = 0; i < model.ntris(); ++i) {
    const MeshTriangle& triangle = tris[i];
    for (int k = 0; k < 3; ++k) {
      const Vec3& normal = triangle.normal[k];
      const Vec3& vertex = triangle.vertex[k];
      glTexCoord2fv(triangle.tex_coord[k]);
      glNormal3f(normal.x, normal.y, normal.z);
      glVertex3f(vertex.x, vertex.y, vertex.z);
    }
  }
  glEnd();
  glEndList();
}

void DrawModel(const Model& model) { glCallList(model.display_list()); }
