#pragma once
// The tree walk of CollideModels exists in two versions: the baseline one (baseline-walk.cpp),
// which tests both children of a node with the double box test side by side, and the AVX2 one
// (avx2-walk.cpp), which tests them in single precision with a proven bound and leaves what
// it cannot tell to the double test. CollideModels takes the AVX2 one on processors that have
// it. Both make every decision the double test makes, so they visit, count and report exactly
// the same; the tests hold them to that.
//
// Each version lives in its own translation unit (baseline-walk.cpp, avx2-walk.cpp)
// with everything in unnamed namespaces, calling only out-of-line functions of the library, so
// that no function compiled for AVX2 can be linked in where the baseline one was meant.
#include "collide-result.h"
#include "cq-model.h"

// Eight box pairs in single precision, pair n in entry n of every array, as BoxesDisjoint takes
// them: B row by row (B[3 i + j] is row i, column j), T, and the half sides a and b (never
// negative).
struct GatheredBoxes {
  float B[9][8];
  float T[3][8];
  float a[3][8];
  float b[3][8];
};

struct WalkPath {
  const char* name;
  // Visits below the roots of built models m1 and m2, whose root boxes overlap, (R, T) placing
  // root 2's box frame in root 1's. result's rel_rotation and rel_translation are set and its
  // counters hold the roots' visit; the walk adds to them and reports pairs as CollideModels does.
  void (*walk)(CQ_CollideResult* result, const CQ_Model* m1, const CQ_Model* m2, int flag,
               const double R[3][3], const double T[3]);
  // The walk's box test on two box pairs c = 0, 1 (arguments as BoxesDisjoint's): bit c set
  // when pair c is disjoint, bit 2 + c when single precision could not tell and BoxesDisjoint
  // must decide (never on the baseline path). For tests.
  int (*classify)(const double B[2][3][3], const double T[2][3], const double a[2][3],
                  const double b[2][3]);
  // The single-precision box test alone, eight pairs at a time, on count blocks of pairs already
  // gathered in its layout: for block k, bit n of settled[k] set where it settles pair n, and of
  // apart[k] where it finds that pair disjoint. The floor the walk's cost per box test is
  // measured against, and its tests. nullptr on the baseline path.
  void (*classify_gathered)(const GatheredBoxes blocks[], int count, int settled[], int apart[]);
  // The walk's triangle test at a pair of leaves, arguments and answer as TrianglesContact's. For
  // tests.
  int (*contact)(const double P1[3], const double P2[3], const double P3[3], const double Q1[3],
                 const double Q2[3], const double Q3[3]);
};

const WalkPath& BaselinePath();
// nullptr where the library was built without it (processors other than x86-64) or where the
// processor lacks AVX2.
const WalkPath* Avx2Path();

// The path CollideModels takes: the one set by UseWalkPath, else AVX2 where available.
const WalkPath& ChosenPath();
// Lets the tests and the benchmark run each path through CollideModels; nullptr restores the
// choice by processor. Not for use while queries run on other threads.
void UseWalkPath(const WalkPath* path);
