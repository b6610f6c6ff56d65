#include "collide-result.h"

#include <cstdio>
#include <new>

CQ_CollideResult::~CQ_CollideResult() { delete[] pair_list; }

void CQ_CollideResult::SizeTo(int n) {
  if (n < num_pairs) {
    std::fprintf(stderr, "CQ Error: Internal error in 'CQ_CollideResult::SizeTo(int n)'\n");
    std::fprintf(stderr, "       n = %d, but num_pairs = %d\n", n, num_pairs);
    return;
  }
  CollidePair* resized = n > 0 ? new (std::nothrow) CollidePair[n] : nullptr;
  if (resized == nullptr && n > 0) return;  // no storage: the result stays as it was
  for (int i = 0; i < num_pairs; i++) resized[i] = pair_list[i];
  // Slots no pair was stored in read as "no triangle" instead of whatever the storage held.
  for (int i = num_pairs; i < n; i++) resized[i] = CollidePair{-1, -1};
  delete[] pair_list;
  pair_list = resized;
  pair_capacity = n;
}

void CQ_CollideResult::AddPair(int a, int b) {
  if (num_pairs >= pair_capacity) {
    SizeTo(2 * pair_capacity + 8);
    if (num_pairs >= pair_capacity) return;  // the storage could not grow; the pair is lost
  }
  pair_list[num_pairs].first_id = a;
  pair_list[num_pairs].second_id = b;
  num_pairs++;
}

int CQ_CollideResult::SecondId(int k) const {
  if (k < 0 || k >= pair_capacity) return -1;
  return pair_list[k].second_id;
}
