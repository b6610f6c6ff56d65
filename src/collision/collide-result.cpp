#include "collide-result.h"

CQ_CollideResult::~CQ_CollideResult() { delete[] pair_list; }
void CQ_CollideResult::SizeTo(int) {}
void CQ_CollideResult::AddPair(int, int) {}
int CQ_CollideResult::SecondId(int) const { return -1; }
