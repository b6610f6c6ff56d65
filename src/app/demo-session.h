#pragma once
// The demo's session options carried out: a session file read before the window opens, then
// recorded or replayed by the timeline, and the run's end (the end line, the fingerprint).

#include "app/session-options.h"
#include "inspect/session-file.h"

// Before the window opens: with --replay, reads the session and takes its options (scene, seed,
// balls, model) as the experiment's. False, after a message on the standard error stream, for a
// session that cannot be read.
bool PrepareDemoSession(const SessionFlags& options, Session& session);

// After the scene is set up: starts recording or the replay, and arranges for the run's end to be
// written at exit. False, after a message, when the session file cannot be written.
bool BeginDemoSession(const SessionFlags& options, const Session& session);

// After every frame's iterations: the panel follows what a replay changed, and the end of a
// replay is told on the standard error stream (played to its end: the simulation pauses there;
// stopped early: why; ended by a change of the user's: at which iteration).
void FollowReplay();
