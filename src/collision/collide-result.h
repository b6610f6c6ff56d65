#pragma once

// One intersecting triangle pair reported by a query.
struct CollidePair {
  int first_id;   // id of the triangle of the first model
  int second_id;  // id of the triangle of the second model
};

// The output of CollideModels, owned by the caller and reused from query to query: the pair
// storage only grows, and a query that finds nothing leaves earlier entries in place.
class CQ_CollideResult {
 public:
  CQ_CollideResult() = default;
  ~CQ_CollideResult();
  // A result owns its pair list; a copy would free it twice.
  CQ_CollideResult(const CQ_CollideResult&) = delete;
  CQ_CollideResult& operator=(const CQ_CollideResult&) = delete;

  // Makes room for exactly n pairs, keeping the stored ones. With n < num_pairs it prints an
  // internal-error message and changes nothing; if storage cannot be obtained nothing changes.
  void SizeTo(int n);
  // Appends (a, b); a full list grows to 2 * pair_capacity + 8 (8, 24, 56, ...).
  void AddPair(int a, int b);
  bool HasContact() const { return num_pairs > 0; }
  // second_id of entry k of the pair storage, not checked against num_pairs: after a query that
  // found nothing, entry 0 still holds the last pair stored there. -1 for an entry no pair was
  // ever stored in (also after SizeTo made room) and for k outside the storage.
  int SecondId(int k) const;

  int bv_test_count = 0;           // BV pairs visited by the last query
  int tri_test_count = 0;          // triangle pairs tested by the last query
  double query_seconds = 0;        // wall time of the last query, millisecond resolution
  double rel_rotation[3][3] = {};  // second model's rotation in the first model's coordinates
  double rel_translation[3] = {};  // second model's translation in the first model's coordinates
  int pair_capacity = 0;
  int num_pairs = 0;
  CollidePair* pair_list = nullptr;
};
