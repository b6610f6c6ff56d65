#pragma once
// 'p': the main window as drawn, written as a PNG file into the --shots folder (default the
// working directory) as quorvel-<scene>-<iteration>.png, the iteration being the run's iteration
// shown; the path goes to the standard error stream. A file that cannot be written gets a message
// there, and the demo goes on.

// Reads the frame just drawn (before the buffers are swapped) and writes it. Needs the main
// window current.
void WriteMainWindowShot();
