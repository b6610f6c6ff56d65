#pragma once
// The views of the scene that keys switch on, drawn over it in plain lines: the boxes of body
// 0's collision tree at the chosen depth, the contact view's touching triangles and wall
// normals, and the line of a pull under way. Nothing is drawn while they are all off.

// Needs the main window current with the view loaded, after the scene. Leaves the drawing state
// as it found it.
void DrawCloseLookViews();
