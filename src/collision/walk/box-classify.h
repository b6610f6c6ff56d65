#pragma once
// The box test of the AVX2 walk in single precision, for two box pairs at once (and for eight,
// the floor it is measured against), with a proven bound on how far its figures can lie from
// those of the double test (BoxesDisjoint). Where the bound cannot tell, the caller runs the
// double test, so every decision is the double test's.
//
// In an unnamed namespace, as everything of the walk (see walk-paths.h).
//
// Why the bound holds. Take one of the 15 tests on double inputs B, T, a, b (a, b >= 0). In exact
// arithmetic its figure is t = |a sum of at most 3 products T_i B_kj| with S = the sum of those
// products' magnitudes (t <= S), and its limit l = a sum of at most 4 nonnegative terms, each a
// half side, or a half side times Bf = |B| + 0.000001. Let u = 2^-24 (float rounding), v = 2^-53
// (double rounding), and gamma_n = n u / (1 - n u) as usual for a chain of n roundings.
//   - The double test rounds each product and each sum once, and Bf once: its t lies within
//     gamma_3(v) S of t, its limit within gamma_5(v) l of l.
//   - Here every input is first rounded to float (once; the float 0.000001 is itself within u of
//     the double one), then the same sums are formed, paired: every product of t meets at most 5
//     roundings (two inputs, the product, two sums), every term of l at most 6 (two for Bf, one
//     for the other factor, the product, two sums). So this t lies within gamma_5(u) S of t and
//     this limit within gamma_6(u) l of l; D = t - l is rounded once more, by at most
//     u (S + l) (1 + 6u).
//   - Together, D here and t - limit there differ by at most 7.01 u (S + l).
//   - E is 2^-20 = 16 u times (s + l), plus 2^-100, s and l being this test's float figures of
//     S and l (s adds up the magnitudes of the very products t adds up). They fall short of S
//     and l by at most gamma_6(u); the power of two scales exactly, and the two sums round, so
//     E >= 15.99 u (S + l) + 2^-100 (1 - u): more than twice what the difference can be.
// Hence D > E proves the double test's t > limit (this test separates), and D < -E (evaluated as
// D + E < 0, whose sign the rounding keeps) proves t < limit (it does not). With any of the 15
// tests proved separating, the boxes are disjoint; with all 15 proved not separating, they
// overlap; otherwise the double test decides.
//
// Values too small for a float's normal range (below 2^-126) are rounded with an absolute error
// of at most 2^-150 instead of a relative one. The guard below admits only inputs of magnitude
// at most 2^40, so such an error, met by a factor of at most 2^41, adds less than 2^-109 to each
// of at most 7 products (and E's own scaling loses at most 2^-150): the 2^-100 of E covers it.
// The same guard keeps every figure below 2^85, far from a float's overflow at 2^128, and turns
// away non-finite inputs (any comparison with NaN is false). Half sides must never be negative
// (the walk's copy of a model stores NaN for one, see walk-node.h), for l would then not be a
// sum of magnitudes. Inputs beyond 2^40 (1.1e12) go to the double test.

#include "walk/vector-lanes.h"

namespace {

// Which lanes of ClassifyBoxes's two box pairs (bit 4c + i for lane i of pair c) hold inputs in
// the range where the bound holds, prove a test separating, prove a test not separating.
struct BoxLanes {
  int fit;
  int apart;
  int overlap;
};

// Whether these lanes settle the double test's answer for pair c: all three lanes fit, and one
// proves separation or all three prove its absence.
inline bool Proved(const BoxLanes& lanes, int c) {
  const int mine = 7 << (4 * c);
  return (lanes.fit & mine) == mine &&
         ((lanes.apart & mine) != 0 || (lanes.overlap & mine) == mine);
}
inline bool Apart(const BoxLanes& lanes, int c) { return (lanes.apart & (7 << (4 * c))) != 0; }

// One of the 15 tests, lane by lane, with figures t (before its magnitude is taken), s and l:
// marks the lanes whose separation, respectively its absence, is proved.
struct Verdicts {
  I8 apart = {};
  I8 overlap = ~I8{};
  inline __attribute__((always_inline)) void Judge(F8 signed_t, F8 s, F8 l) {
    const F8 D = Abs(signed_t) - l;
    const F8 E = Splat(0x1p-20f) * (s + l) + Splat(0x1p-100f);
    apart |= D > E;
    overlap &= D + E < F8{};
  }
};

// Box 1 centred at the origin along the coordinate axes, box 2 with axes the columns of B and
// centre T, all in box 1's frame; a and b their half side lengths (never negative, see above);
// a0, a1, a2 the components of a, each repeated over its pair's lanes. Two box pairs, one per
// half of the lanes (B row by row); the padding lanes are never read. Where Proved, the double
// test finds pair c's boxes disjoint exactly when Apart.
inline __attribute__((always_inline)) BoxLanes ClassifyBoxes(const F8 B[3], F8 T, F8 a, F8 b,
                                                             F8 a0, F8 a1, F8 a2) {
  const F8 pad = Splat(0.000001f);
  const F8 Bf0 = Abs(B[0]) + pad, Bf1 = Abs(B[1]) + pad, Bf2 = Abs(B[2]) + pad;

  // One group of three tests, one per lane.
  Verdicts v;
  auto judge = [&v](F8 signed_t, F8 s, F8 l) { v.Judge(signed_t, s, l); };

  // Box 1's axes (tests 1, 3, 4), lane i: t = |T_i|, limit a_i + sum_j b_j Bf[i][j].
  const F8 absT = Abs(T);
  judge(T, absT, RowSums(Bf0 * b, Bf1 * b, Bf2 * b, a));

  // Box 2's axes (tests 2, 5, 6), lane j: t = |sum_i T_i B[i][j]|, limit b_j + sum_i a_i Bf[i][j].
  const F8 T0 = Component<0>(T), T1 = Component<1>(T), T2 = Component<2>(T);
  const F8 p0 = T0 * B[0], p1 = T1 * B[1], p2 = T2 * B[2];
  judge(p0 + (p1 + p2), Abs(p0) + (Abs(p1) + Abs(p2)), (b + a0 * Bf0) + (a1 * Bf1 + a2 * Bf2));

  // Edge axes Ai x Bj (tests 7-15), one i per group, lane j, with i1 = i + 1 and i2 = i + 2
  // (mod 3): t = |T_i2 B[i1][j] - T_i1 B[i2][j]|,
  // limit a_i1 Bf[i2][j] + a_i2 Bf[i1][j] + b_j1 Bf[i][j2] + b_j2 Bf[i][j1].
  const F8 bNext = Next(b), bPrev = Previous(b);
  auto edges = [&](F8 p, F8 q, F8 l) { judge(p - q, Abs(p) + Abs(q), l); };
  edges(T2 * B[1], T1 * B[2], (a1 * Bf2 + a2 * Bf1) + (bNext * Previous(Bf0) + bPrev * Next(Bf0)));
  edges(T0 * B[2], T2 * B[0], (a2 * Bf0 + a0 * Bf2) + (bNext * Previous(Bf1) + bPrev * Next(Bf1)));
  edges(T1 * B[0], T0 * B[1], (a0 * Bf1 + a1 * Bf0) + (bNext * Previous(Bf2) + bPrev * Next(Bf2)));

  const I8 fit = absT + Bf0 + Bf1 + Bf2 + a + b <= Splat(0x1p40f);
  return BoxLanes{LaneBits(fit), LaneBits(v.apart), LaneBits(v.overlap)};
}

// The same test on eight box pairs, pair n in lane n of every member (B[3 i + j] is row i, column
// j of B), all 15 tests each: the arrangement that needs the fewest instructions per pair, as the
// floor a walk's box test can be measured against.
struct EightBoxes {
  F8 B[9];
  F8 T[3];
  F8 a[3];
  F8 b[3];
};

// Bit n set in settled where the float figures settle the double test's answer for pair n (all
// inputs fit, and one test proves separation or all 15 prove its absence), and in apart where
// they prove separation. Where settled, the double test finds pair n disjoint exactly when apart.
struct EightAnswers {
  int settled;
  int apart;
};

inline __attribute__((always_inline)) EightAnswers ClassifyEight(const EightBoxes& x) {
  const F8 pad = Splat(0.000001f);
  const F8* const B = x.B;
  const F8 *const T = x.T, *const a = x.a, *const b = x.b;
  F8 Bf[9];
  for (int k = 0; k < 9; k++) Bf[k] = Abs(B[k]) + pad;
  Verdicts v;
  // Box 1's axis i (tests 1, 3, 4): t = T_i, limit a_i + sum_j b_j Bf[i][j].
  for (int i = 0; i < 3; i++) {
    const F8* row = &Bf[3 * i];
    v.Judge(T[i], Abs(T[i]), (b[0] * row[0] + b[1] * row[1]) + (b[2] * row[2] + a[i]));
  }
  // Box 2's axis j (tests 2, 5, 6): t = sum_i T_i B[i][j], limit b_j + sum_i a_i Bf[i][j].
  for (int j = 0; j < 3; j++) {
    const F8 p0 = T[0] * B[j], p1 = T[1] * B[3 + j], p2 = T[2] * B[6 + j];
    v.Judge(p0 + (p1 + p2), Abs(p0) + (Abs(p1) + Abs(p2)),
            (b[j] + a[0] * Bf[j]) + (a[1] * Bf[3 + j] + a[2] * Bf[6 + j]));
  }
  // Edge axes Ai x Bj (tests 7-15), with i1 = i + 1, i2 = i + 2, j1 = j + 1, j2 = j + 2 (mod 3),
  // figures as in ClassifyBoxes. Unrolled, so that every index is a constant.
#pragma GCC unroll 3
  for (int i = 0; i < 3; i++) {
    const int i1 = (i + 1) % 3, i2 = (i + 2) % 3;
#pragma GCC unroll 3
    for (int j = 0; j < 3; j++) {
      const int j1 = (j + 1) % 3, j2 = (j + 2) % 3;
      const F8 p = T[i2] * B[3 * i1 + j], q = T[i1] * B[3 * i2 + j];
      v.Judge(p - q, Abs(p) + Abs(q),
              (a[i1] * Bf[3 * i2 + j] + a[i2] * Bf[3 * i1 + j]) +
                  (b[j1] * Bf[3 * i + j2] + b[j2] * Bf[3 * i + j1]));
    }
  }
  // Every input within 2^40: their sum is, as rounding keeps a sum of nonnegative terms at least
  // its largest term (and NaN fails the comparison).
  F8 sum = (Abs(T[0]) + Abs(T[1])) + (Abs(T[2]) + (a[0] + a[1])) + ((a[2] + b[0]) + (b[1] + b[2]));
  for (int k = 0; k < 9; k++) sum += Bf[k];
  const int fit = LaneBits(sum <= Splat(0x1p40f));
  const int apart = LaneBits(v.apart);
  return EightAnswers{fit & (apart | LaneBits(v.overlap)), apart};
}

}  // namespace
