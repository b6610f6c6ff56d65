#pragma once
// Which body's collision tree the demo's tree view shows, and at which depth: what 'b' steps
// through. GL-free, so that the cycle can be tested headless.

#include <cstdint>

class RBSystem;

struct TreeView {
  int depth = -1;     // -1: off
  uint32_t body = 0;  // whose tree
  bool on() const { return depth >= 0; }
};

// 'b' pressed with the pointer over body `pointed` (-1: over none). Over a body other than the
// one shown (or with the view off): that body's root. Otherwise one level further down, and off
// after the tree's deepest level, so that off comes after height + 1 levels of that tree. Off
// and over no body: body 0's root. A system without bodies keeps the view off.
TreeView NextTreeView(const RBSystem& bodies, TreeView view, int pointed);
