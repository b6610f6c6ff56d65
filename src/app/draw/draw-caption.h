#pragma once
// The scene's one-line caption, centred at the top of the main window in light text: what to
// watch in it. The break has none, and nothing is drawn for it.

// Needs the main window current. Leaves the drawing state and both matrices as it found them.
void DrawCaption();

// The height, in pixels from the top, that the caption takes (0 for the break): the overlay
// starts below it.
int CaptionHeight();
