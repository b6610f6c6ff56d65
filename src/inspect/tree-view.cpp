#include "inspect/tree-view.h"

#include "inspect/tree-boxes.h"
#include "rb-system.h"

TreeView NextTreeView(const RBSystem& bodies, TreeView view, int pointed) {
  if (bodies.BodyCount() == 0) return TreeView();
  const bool points_at_body = pointed >= 0 && static_cast<uint32_t>(pointed) < bodies.BodyCount();
  if (points_at_body && (!view.on() || static_cast<uint32_t>(pointed) != view.body))
    return {0, static_cast<uint32_t>(pointed)};
  if (!view.on()) return {0, 0};
  const int height = TreeHeight(bodies.Body(view.body)->collision_model());
  view.depth = view.depth >= height ? -1 : view.depth + 1;
  return view;
}
