#pragma once
// A collision model straight from one of our mesh files (tris-file.h), for programs that keep
// their meshes in that format. A bad file is reported to the caller, never ends it.

#include <string>

class CQ_Model;

// Reads the file and fills an empty model from it: BeginModel(8), AddTri for every triangle (its
// corners times scale, in double precision, id = its position in the file, from 0), EndModel.
// Returns StatusOk with the model built; StatusFileNotRead (missing, unreadable or a folder) or
// StatusMalformedFile (a bad count, a short triangle, a number beyond the float range), with
// message set to the reader's line ("Triangle 2 of 5 is incomplete: ...") and the model
// untouched; or what BeginModel, AddTri or EndModel returned (a file of no triangles gives
// StatusEmptyModel, with EndModel's message). Nothing is printed for a bad file.
int LoadTrisModel(CQ_Model& model, const char* file_name, std::string& message, double scale = 1.0);
