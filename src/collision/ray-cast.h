#pragma once
// Casting a ray against a built model's triangles, pruned by its tree of oriented boxes: what a
// program needs to pick a model under a pointer. Double precision, model placed as in the query
// (a model point p lies at R p + T); nothing is allocated beyond a small stack per call.

// When the ray origin + t direction (world coordinates; direction not zero, of any length)
// meets a triangle of the model at some t with 0 < t < nearest, sets nearest to the smallest such
// t and triangle to that triangle's id and returns true; otherwise returns false and changes
// neither. Triangles count from either face. A model that is not built is never met.
class CQ_Model;
bool CastRay(const CQ_Model& model, const double R[3][3], const double T[3], const double origin[3],
             const double direction[3], double& nearest, int& triangle);

// The ray parameter t > 0 at which origin + t direction meets triangle (v0, v1, v2), either
// face, all in one frame; a negative value when it does not (or runs parallel to its plane).
double RayMeetsTriangle(const double origin[3], const double direction[3], const double v0[3], const double v1[3],
                        const double v2[3]);
