#pragma once
// The main window's callbacks and the idle function. The windows are held at their recorded
// position and first size: moving or resizing one by hand is undone at the next idle.

// Draws a frame in every window whose first reshape has been seen; the current window is kept.
void Display();

// Records the window's first size; later sizes are ignored and undone.
void Reshape(int width, int height);

// Puts the windows back where they belong and asks for the next frame of the main window.
void Idle();

// Moves and sizes windows 1 and 2, where recorded, back to their position and first size; the
// current window is kept.
void RestoreWindowGeometry();

// "w"/"W" toggles outline drawing, "x"/"X" ends the program with code 0; Enter repeats the last
// shot, "[" and "]" step through the scenes; Space, ".", "t", "h", "f", "c", "b" and "p" reach the
// extras for looking closely (HandleCloseLookKey, with the pointer's (x, y) for "b"); other keys
// do nothing.
void Keyboard(unsigned char key, int x, int y);

// Keys without a character: Home restores the start-up view; Left and Right, with or without
// Shift, go back and forth through the history while paused (HandleHistoryKey); the others do
// nothing.
void SpecialKey(int key, int x, int y);
