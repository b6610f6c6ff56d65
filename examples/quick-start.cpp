#include <quorvel/cq.h>

#include <cstdio>
#include <string>

int main() {
  CQ_Model ball;
  std::string message;
  if (LoadTrisModel(ball, "sphere03.tris", message) != StatusOk) {  // read from the working folder
    std::fprintf(stderr, "sphere03.tris: %s\n", message.c_str());
    return 1;
  }
  // A model point p lies at R p + T: one ball at the origin, the other 1.95 along x.
  const double R[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, here[3] = {0, 0, 0}, there[3] = {1.95, 0, 0};
  CQ_CollideResult result;
  CollideModels(&result, R, here, &ball, R, there, &ball, StopAtFirstContact);
  if (result.HasContact())
    std::printf("touch: triangle %d with triangle %d\n", result.pair_list[0].first_id, result.pair_list[0].second_id);
  else
    std::printf("apart\n");
}
