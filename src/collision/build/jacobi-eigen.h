#pragma once

// Eigen-decomposition of the symmetric 3x3 matrix A by cyclic Jacobi rotations: d receives the
// eigenvalues and the columns of V the unit eigenvectors (V[j][k] is component j of eigenvector k,
// whose eigenvalue is d[k]). A is working storage: its upper triangle is driven to zero, its
// lower triangle is never read. After 50 sweeps without convergence it prints
// "eigen: too many iterations in Jacobi transform.\n" and leaves V and d untouched.
void JacobiEigen(double V[3][3], double d[3], double A[3][3]);
