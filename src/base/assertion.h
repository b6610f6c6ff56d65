#pragma once
// The always-on assertion stop for broken invariants. Unlike <cassert> it stays in release
// builds: a corrupted container or model must never be read on silently.

// Writes "Assertion failed: <condition>, file <file>, line <line>" to the standard error stream
// and aborts the process.
[[noreturn]] void AssertionStop(const char* condition, const char* file, int line);

#define QUORVEL_ASSERT(condition) \
  ((condition) ? static_cast<void>(0) : AssertionStop(#condition, __FILE__, __LINE__))
