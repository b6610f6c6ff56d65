#pragma once
// The main window's mouse callbacks: dragging with the left button turns the view about the
// vertical axis, with the right button moves the eye between the top and the bottom, the wheel
// zooms. Shift and the left button on a ball pull it instead, towards the pointer, until the
// button is released; Ctrl and the left button on a racked scene aim the next shot.

// Window-system mouse callback: button 0 left, 2 right; state 0 pressed, 1 released. A left
// press with Shift held that picks a ball starts a pull, one with Ctrl held on a racked scene
// starts aiming (its release aims the next shot); neither turns the view.
void Mouse(int button, int state, int x, int y);

// Window-system drag callback: moves the target of a pull under way to the pointer, at the
// level plane through the ball's centre; applies the drag to the view; then moves the eye and asks for a
// redraw, even when no button is marked as held.
void Motion(int x, int y);

// Window-system wheel callback: direction +1 (away from the user) zooms in one notch, -1 out.
void MouseWheel(int wheel, int direction, int x, int y);

// Home: the start-up view (turn, tilt and distance), redrawn.
void GoHome();

// The ball under window point (x, y) of the main window, or -1 when there is none.
int BodyUnderPointer(int x, int y);

// Sets the global camera's eye from the orbit angles and distance.
void UpdateEye();
