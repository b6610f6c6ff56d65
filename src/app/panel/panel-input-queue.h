#pragma once
// The panel window's input, held back and handed to the widget library one step per frame.
//
// The library samples mouse buttons and keys once per frame: a press and its release that
// arrive between two frames (a quick click, a scripted one, a key typed by a program) would
// cancel out unseen. So every button or key change waits in this queue and each frame takes at
// most one of them, together with the pointer moves queued before it.

#include <deque>

struct ImGuiIO;

enum class PanelInputKind {
  Move,        // pointer at (x, y)
  Leave,       // pointer left the window: nothing is hovered any more
  Button,      // mouse button `code` (0 left, 1 right, 2 middle) went down or up at (x, y)
  Wheel,       // one notch of the wheel, `code` +1 away from the user, -1 towards
  Key,         // character key `code` (as the window system reports it) went down or up
  SpecialKey,  // arrow, page or other non-character key `code` went down or up
};

struct PanelInput {
  PanelInputKind kind = PanelInputKind::Move;
  int x = 0;  // pixels from the window's top-left corner
  int y = 0;
  int code = 0;
  bool down = false;
  bool shift = false;  // modifiers held at the time of a key or button change
  bool ctrl = false;
  bool alt = false;
};

// Index of the first non-character key in the library's key-down table: character keys use
// their code, the others this offset plus theirs.
constexpr int kSpecialKeyOffset = 256;

class PanelInputQueue {
 public:
  // Appends one event; a move that follows a move replaces it, as only the last position counts.
  void Push(const PanelInput& input);

  bool Empty() const { return pending_.empty(); }

  // Applies to `io` the queued moves, leaves and wheel notches up to and including the first
  // button or key change, and removes them. Call once per frame, before the frame begins.
  // Returns whether anything was applied.
  bool FeedOneFrame(ImGuiIO& io);

 private:
  std::deque<PanelInput> pending_;
};
