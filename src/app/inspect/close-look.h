#pragma once
// The demo's extras for looking closely, all off by default and reached by keys in the main
// window: pause and single steps, pacing, the measurements overlay, the contact view, the
// boxes of a body's collision tree, and a pull on a ball with the mouse. The default look and
// behaviour are those of the panel and the frame alone.

#include <vector>

#include "app/inspect/overlay.h"
#include "contact-record.h"
#include "inspect/body-pull.h"
#include "inspect/contact-geometry.h"
#include "inspect/frame-pacer.h"
#include "inspect/scene-monitor.h"
#include "inspect/tree-boxes.h"
#include "inspect/tree-view.h"
#include "scenes/integrator-error.h"

// What drawing the views fills anew every frame, kept from frame to frame so that a frame
// allocates nothing once the buffers have grown to the scene's size.
struct CloseLookBuffers {
  std::vector<float> highlight;                    // per body: its contact's fade, 0 .. 1
  std::vector<OrientedBox> tree_boxes;             // body 0's tree at the shown depth
  std::vector<PlacedTriangle> touching_triangles;  // the contact view's, world coordinates
  std::vector<WallArrow> wall_arrows;              // the contact view's, world coordinates
};

struct CloseLook {
  FramePacer pacer;           // every frame, unpaused, until a key says otherwise
  SceneMonitor monitor;       // sees every iteration and frame
  bool overlay = false;       // 'h'
  bool overlay_folded = false;  // 'f': the overlay shows its first line only
  bool contact_view = false;  // 'c'; the record is attached to the passes only while it is on
  ContactRecord record;
  TreeView tree;              // 'b': whose collision tree is shown, at which depth
  BodyPull pull;              // Shift + left drag on a ball
  float pull_height = 0;      // the held ball's centre height: the level plane it is pulled in
  bool pick_missed = false;   // the last Shift + press found no ball (the overlay says so)
  bool shot_wanted = false;   // 'p': the next frame drawn is written as a picture
  OverlayContext overlay_context;
  CloseLookBuffers buffers;
  // The slide-to-roll scene's table in the overlay, for the "Slide:" value it was measured at.
  IntegratorErrors integrator_errors;
  float integrator_errors_slide = -1;
};

// Acts on one of the keys Space, '.', 't', 'h', 'f', 'c', 'b', 'p' (letters in either case) and
// asks for a redraw; returns false, doing nothing, for any other key. (x, y): the pointer in the
// main window, where 'b' looks for the body whose tree to show.
bool HandleCloseLookKey(unsigned char key, int x, int y);

// While a started run is paused: Left and Right show the state one iteration back or forward in
// the history, ten with Shift, with what that iteration measured and (in the contact view) found;
// the next iteration continues from the state shown. Returns false, doing nothing, for other keys
// or while running.
bool HandleHistoryKey(int special_key, bool shift);
