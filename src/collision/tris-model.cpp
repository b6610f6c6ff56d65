#include "tris-model.h"

#include <vector>

#include "cq-model.h"
#include "status.h"
#include "tris-file.h"

int LoadTrisModel(CQ_Model& model, const char* file_name, std::string& message, double scale) {
  std::vector<float> coords;
  int n = 0;
  switch (ReadTris(file_name, coords, n, message)) {
    case TrisStatus::Ok: break;
    case TrisStatus::CannotOpen:
    case TrisStatus::CannotRead: return StatusFileNotRead;
    case TrisStatus::BadCount:
    case TrisStatus::Incomplete:
    case TrisStatus::OutOfRange: return StatusMalformedFile;
  }
  // A model that was not empty is begun nevertheless (with a warning), as BeginModel says.
  int status = model.BeginModel(8);
  if (status == StatusOutOfMemory) return status;
  const double s = scale;
  for (int i = 0; i < n; ++i) {
    const float* c = &coords[9 * static_cast<size_t>(i)];
    const double p1[3] = {s * c[0], s * c[1], s * c[2]};
    const double p2[3] = {s * c[3], s * c[4], s * c[5]};
    const double p3[3] = {s * c[6], s * c[7], s * c[8]};
    status = model.AddTri(p1, p2, p3, i);
    if (status != StatusOk) return status;
  }
  return model.EndModel();
}
