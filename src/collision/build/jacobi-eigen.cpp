#include "build/jacobi-eigen.h"

#include <cmath>
#include <cstdio>

namespace {

// The Jacobi rotation applied to one pair of entries (x, y).
inline void Rotate(double& x, double& y, double s, double tau) {
  const double g = x;
  const double h = y;
  x = g - s * (h + g * tau);
  y = h + s * (g - h * tau);
}

}  // namespace

void JacobiEigen(double V[3][3], double d[3], double A[3][3]) {
  double v[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  double dd[3], b[3], z[3];
  for (int k = 0; k < 3; k++) {
    b[k] = dd[k] = A[k][k];
    z[k] = 0;
  }

  static const int kPairs[3][2] = {{0, 1}, {0, 2}, {1, 2}};
  for (int i = 0; i < 50; i++) {
    const double sm = std::fabs(A[0][1]) + std::fabs(A[0][2]) + std::fabs(A[1][2]);
    if (sm == 0.0) {
      for (int r = 0; r < 3; r++) {
        d[r] = dd[r];
        for (int c = 0; c < 3; c++) V[r][c] = v[r][c];
      }
      return;
    }
    // Early sweeps skip small entries; later sweeps rotate everything that is not negligible.
    const double thresh = i < 3 ? 0.2 * sm / 9 : 0.0;

    for (const auto& pair : kPairs) {
      const int p = pair[0];
      const int q = pair[1];
      const double g = 100.0 * std::fabs(A[p][q]);
      if (i > 3 && std::fabs(dd[p]) + g == std::fabs(dd[p]) &&
          std::fabs(dd[q]) + g == std::fabs(dd[q])) {
        A[p][q] = 0.0;
        continue;
      }
      if (!(std::fabs(A[p][q]) > thresh)) continue;

      double h = dd[q] - dd[p];
      double t;
      if (std::fabs(h) + g == std::fabs(h)) {
        t = A[p][q] / h;
      } else {
        const double theta = 0.5 * h / A[p][q];
        t = 1.0 / (std::fabs(theta) + std::sqrt(1.0 + theta * theta));
        if (theta < 0.0) t = -t;
      }
      const double c = 1.0 / std::sqrt(1 + t * t);
      const double s = t * c;
      const double tau = s / (1.0 + c);
      h = t * A[p][q];
      z[p] -= h;
      z[q] += h;
      dd[p] -= h;
      dd[q] += h;
      A[p][q] = 0.0;
      // Only the upper triangle is kept up to date.
      for (int j = 0; j < p; j++) Rotate(A[j][p], A[j][q], s, tau);
      for (int j = p + 1; j < q; j++) Rotate(A[p][j], A[j][q], s, tau);
      for (int j = q + 1; j < 3; j++) Rotate(A[p][j], A[q][j], s, tau);
      for (int j = 0; j < 3; j++) Rotate(v[j][p], v[j][q], s, tau);
    }
    for (int k = 0; k < 3; k++) {
      b[k] += z[k];
      dd[k] = b[k];
      z[k] = 0;
    }
  }
  std::fprintf(stderr, "eigen: too many iterations in Jacobi transform.\n");
}
