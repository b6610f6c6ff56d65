#pragma once
// What the program holds fixed about each of its top-level windows.

class Camera;

struct WindowRecord {
  int window_id = 0;
  int width = 0;   // recorded by the window's first reshape
  int height = 0;
  int pos_x = 0;   // screen position the window is held at
  int pos_y = 0;
  bool initialised = false;  // the first reshape has recorded width and height
  Camera* camera = nullptr;  // draws the window; not owned
};

// Window ids index the table directly; the program opens two windows, ids 1 and 2.
constexpr int kWindowTableSize = 4;
