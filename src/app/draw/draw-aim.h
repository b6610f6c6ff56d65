#pragma once
// The aimed next shot as a line on the floor, from under the shooter along its direction, one
// length unit per unit of speed: while a Ctrl + drag is under way, the shot it would aim; after
// it, the aimed shot until Start takes it. Nothing is drawn without an aim.

// Needs the main window current with the view loaded. Leaves the drawing state as it found it.
void DrawAim();
