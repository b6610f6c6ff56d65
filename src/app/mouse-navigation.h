#pragma once
// The main window's mouse callbacks: dragging with the left button turns the view about the
// vertical axis, with the right button moves the eye between the top and the bottom.

// Window-system mouse callback: button 0 left, 2 right; state 0 pressed, 1 released.
void Mouse(int button, int state, int x, int y);

// Window-system drag callback: applies the drag, then moves the eye and asks for a redraw, even
// when no button is marked as held.
void Motion(int x, int y);

// Sets the global camera's eye from the orbit angles.
void UpdateEye();
