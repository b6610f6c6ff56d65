#pragma once
// The program's one pseudo-random generator: integers uniform over 0 .. 32767. Scene set-up
// seeds it from the clock; tests and tools seed it for reproducible runs. (The C library's
// rand() here reaches 2^31 - 1, which the positions and shot directions, divided by 32767,
// cannot use.)

void SeedRandom(unsigned seed);
int RandomInt();

// The largest value RandomInt returns: its draws keep the top 15 bits of the generator's 32.
constexpr int kRandomIntMax = 32767;
