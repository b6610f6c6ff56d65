#pragma once
// The control panel on screen: a top-level window of its own in which the widget library draws
// a PanelWindow. The window system gives each window its own drawing context, so everything
// the library draws or uploads happens with the panel window current, and control callbacks
// run with the program's main graphics window current, as if that window had been clicked.
//
// One panel window per program.

#include "app/panel/panel-window.h"

// Opens the panel window titled `title` with its top-left corner at screen position (x, y) and
// returns its widget tree, to which the caller adds the controls. The window takes the size
// its controls need once they are drawn. The current window is kept.
PanelWindow* CreatePanelWindow(const char* title, int x, int y);

// The window that is current while control callbacks run and that is redrawn after each.
void SetMainGraphicsWindow(int window_id);

// Hands the program's idle function to the panel, which calls it on every idle notification of
// the window system (the panel installs the only idle handler).
void SetPanelIdleFunction(void (*idle)());

// Redraws the panel, so that changes the program made to live variables show.
void SyncLiveVariables();

// Shuts the widget library's window-system and drawing back ends down, then exits the process
// with `code`. Its signature lets it serve as a button callback: the button's id is the code.
[[noreturn]] void ExitProgram(int code);
