#pragma once
// Status codes returned by the collision library's model build, query and mesh file operations.
// Zero is success; every failure is negative. Callers may ignore them: each failure of the build
// and the query also prints its own message to the standard error stream (the query's "not
// built" excepted); the mesh file loader hands its message to the caller instead.

constexpr int StatusOk = 0;
constexpr int StatusOutOfMemory = -1;     // storage for triangles, BVs or pairs not obtained
constexpr int StatusModelNotBuilt = -3;   // a query was given a model that is not built
constexpr int StatusOutOfSequence = -4;   // BeginModel, AddTri or EndModel in the wrong state
constexpr int StatusEmptyModel = -5;      // EndModel on a model without triangles
constexpr int StatusNonFinitePlacement = -6;  // a query's rotations or translations hold a NaN
                                              // or an infinity, or their difference overflows:
                                              // refused, with no pairs reported
constexpr int StatusNonFiniteVertex = -7;     // AddTri given a NaN or an infinity: ignored
constexpr int StatusFileNotRead = -8;         // a mesh file missing, unreadable or a folder
constexpr int StatusMalformedFile = -9;       // a mesh file whose text is not a mesh

// The query flag that ends the search at the first intersecting triangle pair.
constexpr int StopAtFirstContact = 2;
