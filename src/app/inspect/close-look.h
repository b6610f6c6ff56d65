#pragma once
// The demo's extras for looking closely, all off by default and reached by keys in the main
// window: pause and single steps, pacing, the measurements overlay, the contact view, the
// boxes of body 0's collision tree, and a pull on a ball with the mouse. The default look and
// behaviour are those of the panel and the frame alone.

#include "inspect/body-pull.h"
#include "contact-record.h"
#include "inspect/frame-pacer.h"
#include "inspect/scene-monitor.h"

struct CloseLook {
  FramePacer pacer;           // every frame, unpaused, until a key says otherwise
  SceneMonitor monitor;       // sees every iteration and frame
  bool overlay = false;       // 'h'
  bool contact_view = false;  // 'c'; the record is attached to the passes only while it is on
  ContactRecord record;
  int tree_depth = -1;        // 'b': the depth of body 0's tree shown; -1 none
  BodyPull pull;              // Shift + left drag on a ball
  float pull_depth = 0;       // depth of the held point along the view when it was picked
};

// Acts on one of the keys Space, '.', 't', 'h', 'c', 'b' (letters in either case) and asks for a
// redraw; returns false, doing nothing, for any other key.
bool HandleCloseLookKey(unsigned char key);
