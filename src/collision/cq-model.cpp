#include "cq-model.h"

CQ_Model::~CQ_Model() {
  delete[] bv_list;
  delete[] tri_list;
}

int CQ_Model::BeginModel(int) { return StatusOk; }
int CQ_Model::AddTri(const double*, const double*, const double*, int) { return StatusOk; }
int CQ_Model::EndModel() { return StatusOk; }
int CQ_Model::MemoryReport(int) { return 0; }
