#pragma once
// What `quorvel --help` prints: how to run the demo and every key and mouse action of its main
// window.

// The help text, ending with a line break.
extern const char kUsage[];

// True when the command line asks for help (--help or -h anywhere).
bool WantsHelp(int argc, char** argv);

// The first argument that is neither a request for help nor one of the window system's options
// (with its value), or null when there is none.
const char* UnknownArgument(int argc, char** argv);
