#pragma once
// Our programs' way with a bad mesh file: say what is wrong and end with exit code 1, before
// anything of the file is used. (The collision library itself reports such a file to its caller.)

#include <string>
#include <vector>

// The refusal of a mesh without a triangle of positive area: no body could ever collide with it.
// Our programs refuse such a mesh; the collision library loads it (flat triangles are legal).
extern const char kNoAreaMessage[];

// Whether the triangle with corners a, b, c spans an area. In double, so that no float overflow
// or underflow hides one.
bool SpansArea(const double a[3], const double b[3], const double c[3]);
// Whether any triangle of the 9n numbers of a mesh file spans an area.
bool HasTriangleWithArea(const std::vector<float>& coords);

// Writes "ERROR occurred while parsing <file name>" and the reader's message to the standard
// error stream and ends the program with exit code 1.
[[noreturn]] void ExitOnBadMeshFile(const char* file_name, const std::string& message);

// The loaders' reading: fills `coords` with the 9n numbers of the file and returns n, or ends
// the program as ExitOnBadMeshFile does. A mesh without a triangle of positive area (none at all,
// or only flat ones) is refused too: no body could collide with it. Flat triangles beside others
// are kept, as the collision library keeps them.
int ReadTrisFile(const char* file_name, std::vector<float>& coords);
