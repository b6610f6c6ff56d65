#pragma once
// Drawing a render model: its triangles go once into a display list, so that each drawing of a
// body costs one list call.

class Model;

// Compiles the display list of the model's triangles: per vertex its texture coordinates, its
// normal and its position, triangles in file order. Models that share their triangles share the
// list, which is compiled only once. Needs a current drawing context.
void CompileDisplayList(Model& model);

// Calls the model's display list.
void DrawModel(const Model& model);
