#pragma once
// Reading a .tris mesh file: a triangle count n, then 9n numbers (x, y, z of each triangle's
// three vertices), separated by any whitespace; anything after the 9n-th number is never read.
//
// A file that cannot be opened, whose first token is not a non-negative count, that ends early
// or holds a token that is not a number where one is expected ends the program with exit code 1
// after a message on the standard error stream, before anything of the file is used. Storage
// grows with what the file actually holds, so an absurd count costs nothing.

#include <vector>

// Fills `coords` with the 9n numbers of the file and returns n; exits on a bad file.
int ReadTrisFile(const char* file_name, std::vector<float>& coords);
