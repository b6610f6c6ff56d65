#pragma once
// The demo's session options, taken out of the arguments before the window system sees
// the rest: --record FILE, --replay FILE, --fingerprint, --shots DIR.

#include <string>

struct SessionFlags {
  const char* record = nullptr;  // write the session to this file
  const char* replay = nullptr;  // play this session file back
  bool fingerprint = false;      // print the final state's fingerprint at exit
  const char* shots = ".";       // the folder 'p' writes its pictures into
};

// Takes the demo's options out of argv (argc shrinks). False, with a message, for an option
// without its value, or for --record together with --replay.
bool TakeSessionFlags(int& argc, char** argv, SessionFlags& options, std::string& problem);
