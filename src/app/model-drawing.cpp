#include "app/model-drawing.h"

#include <GL/gl.h>

#include "model.h"

void CompileDisplayList(Model& model) {
  model.display_list = glGenLists(1);
  glNewList(model.display_list, GL_COMPILE);
  glBegin(GL_TRIANGLES);
  for (int i = 0; i < model.ntris; ++i) {
    const MeshTriangle& triangle = model.tris[i];
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

void DrawModel(const Model& model) { glCallList(model.display_list); }
