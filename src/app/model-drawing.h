#pragma once
// Drawing a render model: its triangles go once into a display list, so that each drawing of a
// body costs one list call.

class Model;

// Compiles model.display_list from model.tris: per vertex its texture coordinates, its normal
// and its position, triangles in file order. Needs a current drawing context; call once.
void CompileDisplayList(Model& model);

// Calls the model's display list.
void DrawModel(const Model& model);
