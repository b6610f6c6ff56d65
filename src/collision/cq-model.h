#pragma once
#include <cstddef>

#include "bv.h"
#include "model-tri.h"
#include "status.h"

struct WalkNode;  // the query's copy of a BV, private to the library

// Where a model is in its life: triangles are added while it is begun, and it can be queried
// once built.
enum class CQ_ModelState { Empty = 0, Begun = 1, Built = 2 };

// The collision representation of one rigid triangle mesh: its triangles in model coordinates
// and a binary tree of bounding volumes over them. Triangles are added between BeginModel and
// EndModel; EndModel builds the tree once, after which the model is read-only and can take part
// in any number of queries. Storage that cannot be obtained is reported, never thrown.
//
// A built model with n triangles holds exactly n triangles and 2n - 1 BVs; BV 0 is the root,
// siblings are adjacent, and leaf i's triangle keeps its id. Beside each BV it holds the query's
// copy of it (the walk nodes), in the same storage as the BV list. The lists are read-only from
// outside; only the model itself changes them.
class CQ_Model {
 public:
  CQ_Model() = default;
  ~CQ_Model();
  // A model owns its lists; a copy would free them twice.
  CQ_Model(const CQ_Model&) = delete;
  CQ_Model& operator=(const CQ_Model&) = delete;

  // Prepares an empty triangle list with room for n triangles (8 when n <= 0). On a model that
  // was not empty it first releases everything, warns and returns StatusOutOfSequence, the model
  // being begun nevertheless. StatusOutOfMemory leaves the state as it was.
  int BeginModel(int n = 8);
  // Appends a copy of one triangle. A fresh model is begun implicitly (and stores nothing if that
  // fails: StatusOutOfMemory). On a built model: warning, StatusOutOfSequence, nothing changes.
  // The list doubles when full; if that fails, StatusOutOfMemory and the model is unchanged.
  // A vertex with a NaN or an infinity: an error message, StatusNonFiniteVertex, nothing changes.
  int AddTri(const double p1[3], const double p2[3], const double p3[3], int id);
  // Trims the triangle list and builds the tree. StatusEmptyModel without triangles,
  // StatusOutOfSequence on a built model, StatusOutOfMemory if storage fails; the model is then
  // not built and cannot be queried.
  int EndModel();
  // Bytes held: BVs with their walk nodes, triangles and this record, counted in a size type (a
  // model of some millions of triangles holds more bytes than an int counts). With print
  // nonzero, writes three lines to the standard error stream first.
  std::size_t MemoryReport(int print);

  CQ_ModelState state() const { return state_; }
  bool IsBuilt() const { return state_ == CQ_ModelState::Built; }
  // The triangles (reordered by the build; each keeps its id) and the tree, BV 0 its root.
  const ModelTri* tri_list() const { return tri_list_; }
  int tri_count() const { return tri_count_; }
  int tri_capacity() const { return tri_capacity_; }
  const BV* bv_list() const { return bv_list_; }
  int bv_count() const { return bv_count_; }
  int bv_capacity() const { return bv_capacity_; }
  // One per BV once built, for the library's tree walk.
  const WalkNode* walk_nodes() const { return walk_nodes_; }

 private:
  friend struct CQ_ModelTestAccess;  // the library's own tests, to stage states no call sequence reaches

  CQ_ModelState state_ = CQ_ModelState::Empty;
  ModelTri* tri_list_ = nullptr;
  int tri_count_ = 0;
  int tri_capacity_ = 0;
  BV* bv_list_ = nullptr;
  int bv_count_ = 0;
  int bv_capacity_ = 0;
  WalkNode* walk_nodes_ = nullptr;  // lives in bv_list_'s storage
};
