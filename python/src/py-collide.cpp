// quorvel.collide, quorvel.collide_many and quorvel.triangles_touch: the query and the triangle
// test, translated; nothing is decided here that the library does not decide.
#include "py-collide.h"

#include <pybind11/numpy.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "arrays.h"
#include "collision/collide.h"
#include "collision/triangle-contact.h"
#include "errors.h"
#include "py-model.h"

namespace py = pybind11;

namespace quorvel_python {

namespace {

// What collide() returns. The pairs stay plain integers until asked for.
struct PyCollideResult {
  bool hit = false;
  std::vector<int> pairs;  // first id, second id, ...
  int box_tests = 0;
  int tri_tests = 0;
};

const char kCollideDoc[] = R"(collide(a, pose_a, b, pose_b, all_pairs=False) -> CollideResult

Which triangles of model a, placed by pose_a, touch triangles of model b, placed by pose_b.

A pose is a pair (R, t) of a (3, 3) matrix and a (3,) vector, in any float form NumPy reads: a
model point p is placed in the world at R p + t (R a rotation, t a translation; p a column
vector, so R's columns are the model's axes in the world).

Touching is exact: two triangles touch when no separating axis parts them, touching at an edge
or a corner counts, and there is no tolerance. With all_pairs=False the search ends at the first
touching pair found; with all_pairs=True every touching pair is reported, each once.

The result has
  hit        True when any pair touches
  pairs      (k, 2) int32 array of (triangle id in a, triangle id in b): every touching pair,
             or the first one (k = 1), or none (k = 0)
  box_tests  bounding-volume pairs the query visited
  tri_tests  triangle pairs it tested

Raises TypeError for a pose that is not a pair of arrays of numbers, ValueError for other shapes
or a coordinate that is NaN or infinite. The models are only read.)";

const char kCollideManyDoc[] = R"(collide_many(a, R_a, t_a, b, R_b, t_b, threads=None) -> (N,) bool array

Many first-contact queries of model a against model b at once: query i places a at
(R_a[i], t_a[i]) and b at (R_b[i], t_b[i]), with the pose convention of collide() (a model point
p lies at R p + t). R_a and R_b have shape (N, 3, 3) or (3, 3), t_a and t_b (N, 3) or (3,); an
unstacked pose is used for every query. Entry i of the result is collide(...).hit of query i,
exactly.

The queries run without the interpreter lock, spread over `threads` threads in contiguous
blocks (default: one per processor core; never more than there are queries), each with its own
result; the models are shared read-only. Raises as collide() does, and ValueError for stacks of
different lengths or threads < 1.)";

const char kTrianglesTouchDoc[] = R"(triangles_touch(p, q) -> bool or bool array

The query's own exact triangle test: whether triangle p touches triangle q, both given by their
corners in one frame, shape (3, 3) each; or (k, 3, 3) each, testing p[i] against q[i] and
returning a (k,) bool array. A coordinate that is not finite counts as touching.)";

PyCollideResult Collide(const PyModel& a, py::handle pose_a, const PyModel& b, py::handle pose_b, bool all_pairs) {
  double Ra[3][3], Ta[3], Rb[3][3], Tb[3];
  ReadPose(pose_a, "pose_a", Ra, Ta);
  ReadPose(pose_b, "pose_b", Rb, Tb);
  // One result per thread, reused: its pair storage only grows.
  thread_local CQ_CollideResult result;
  CollideModels(&result, Ra, Ta, a.model.get(), Rb, Tb, b.model.get(), all_pairs ? 0 : StopAtFirstContact);
  PyCollideResult out;
  out.hit = result.num_pairs > 0;
  out.box_tests = result.bv_test_count;
  out.tri_tests = result.tri_test_count;
  out.pairs.resize(2 * static_cast<size_t>(result.num_pairs));
  for (int k = 0; k < result.num_pairs; ++k) {
    out.pairs[2 * k] = result.pair_list[k].first_id;
    out.pairs[2 * k + 1] = result.pair_list[k].second_id;
  }
  return out;
}

// A stack of poses or one pose for all: its data and the step from one query's pose to the next.
struct PoseStack {
  Doubles array;
  const double* data = nullptr;
  py::ssize_t stride = 0;  // doubles; 0 when one pose serves every query
  py::ssize_t count = -1;  // -1 when not stacked
};

PoseStack ReadStack(py::handle object, const char* name, bool rotation) {
  PoseStack stack;
  stack.array = AsDoubles(object, name);
  const py::ssize_t size = rotation ? 9 : 3;
  const bool stacked = stack.array.ndim() == (rotation ? 3 : 2);
  if (rotation)
    RequireShape(stack.array, stacked ? std::initializer_list<py::ssize_t>{-1, 3, 3} : std::initializer_list<py::ssize_t>{3, 3},
                 name, "(N, 3, 3) or (3, 3)");
  else
    RequireShape(stack.array, stacked ? std::initializer_list<py::ssize_t>{-1, 3} : std::initializer_list<py::ssize_t>{3},
                 name, "(N, 3) or (3,)");
  stack.data = stack.array.data();
  if (stacked) {
    stack.count = stack.array.shape(0);
    stack.stride = size;
  }
  if (FirstNonFinite(stack.data, stacked ? size * stack.count : size) >= 0)
    Raise(PyExc_ValueError, std::string(name) + " holds a coordinate that is not finite (NaN or infinity)");
  return stack;
}

using Matrix = const double (*)[3];

py::array_t<bool> CollideMany(const PyModel& a, py::handle Ra_object, py::handle Ta_object, const PyModel& b,
                              py::handle Rb_object, py::handle Tb_object, py::object threads_object) {
  const PoseStack stacks[4] = {ReadStack(Ra_object, "R_a", true), ReadStack(Ta_object, "t_a", false),
                               ReadStack(Rb_object, "R_b", true), ReadStack(Tb_object, "t_b", false)};
  py::ssize_t n = -1;
  for (const PoseStack& s : stacks) {
    if (s.count < 0) continue;
    if (n >= 0 && s.count != n)
      Raise(PyExc_ValueError, "the stacked poses differ in length (" + std::to_string(n) + " and " +
                                  std::to_string(s.count) + ")");
    n = s.count;
  }
  if (n < 0) n = 1;
  long threads = static_cast<long>(std::max(1u, std::thread::hardware_concurrency()));
  if (!threads_object.is_none()) {
    threads = threads_object.cast<long>();
    if (threads < 1) Raise(PyExc_ValueError, "threads must be at least 1");
  }
  threads = static_cast<long>(std::min<py::ssize_t>(threads, std::max<py::ssize_t>(n, 1)));

  py::array_t<bool> hits(n);
  bool* out = hits.mutable_data();
  const CQ_Model* model_a = a.model.get();
  const CQ_Model* model_b = b.model.get();
  // Queries [begin, end) with a result of the block's own.
  auto run = [&](py::ssize_t begin, py::ssize_t end) {
    CQ_CollideResult result;
    for (py::ssize_t i = begin; i < end; ++i) {
      CollideModels(&result, reinterpret_cast<Matrix>(stacks[0].data + i * stacks[0].stride),
                    stacks[1].data + i * stacks[1].stride, model_a,
                    reinterpret_cast<Matrix>(stacks[2].data + i * stacks[2].stride),
                    stacks[3].data + i * stacks[3].stride, model_b, StopAtFirstContact);
      out[i] = result.num_pairs > 0;
    }
  };
  {
    py::gil_scoped_release unlocked;
    if (threads == 1) {
      run(0, n);
    } else {
      std::vector<std::thread> workers;
      for (long t = 1; t < threads; ++t) workers.emplace_back(run, n * t / threads, n * (t + 1) / threads);
      run(0, n / threads);
      for (std::thread& w : workers) w.join();
    }
  }
  return hits;
}

py::object TrianglesTouch(py::handle p_object, py::handle q_object) {
  const Doubles p = AsDoubles(p_object, "p");
  const Doubles q = AsDoubles(q_object, "q");
  const bool one = p.ndim() == 2;
  RequireShape(p, one ? std::initializer_list<py::ssize_t>{3, 3} : std::initializer_list<py::ssize_t>{-1, 3, 3}, "p",
               "(3, 3) or (k, 3, 3)");
  RequireShape(q, one ? std::initializer_list<py::ssize_t>{3, 3} : std::initializer_list<py::ssize_t>{p.shape(0), 3, 3},
               "q", "that of p");
  auto touch = [](const double* s, const double* t) {
    return TrianglesContact(s, s + 3, s + 6, t, t + 3, t + 6) != 0;
  };
  if (one) return py::bool_(touch(p.data(), q.data()));
  const py::ssize_t k = p.shape(0);
  py::array_t<bool> out(k);
  bool* o = out.mutable_data();
  for (py::ssize_t i = 0; i < k; ++i) o[i] = touch(p.data() + 9 * i, q.data() + 9 * i);
  return std::move(out);
}

}  // namespace

void BindCollide(py::module_& m) {
  py::class_<PyCollideResult>(m, "CollideResult", "What collide() found: hit, pairs, box_tests, tri_tests.")
      .def_readonly("hit", &PyCollideResult::hit, "True when any triangle pair touches.")
      .def_property_readonly(
          "pairs",
          [](const PyCollideResult& r) {
            const py::ssize_t k = static_cast<py::ssize_t>(r.pairs.size() / 2);
            py::array_t<int> pairs({k, py::ssize_t(2)});
            std::copy(r.pairs.begin(), r.pairs.end(), pairs.mutable_data());
            return pairs;
          },
          "(k, 2) int32 array: (triangle id in a, triangle id in b) per touching pair reported.")
      .def_readonly("box_tests", &PyCollideResult::box_tests, "Bounding-volume pairs the query visited.")
      .def_readonly("tri_tests", &PyCollideResult::tri_tests, "Triangle pairs the query tested.")
      .def("__bool__", [](const PyCollideResult& r) { return r.hit; }, "The same as hit.")
      .def("__repr__", [](const PyCollideResult& r) {
        return "<quorvel.CollideResult hit=" + std::string(r.hit ? "True" : "False") +
               " pairs=" + std::to_string(r.pairs.size() / 2) + " box_tests=" + std::to_string(r.box_tests) +
               " tri_tests=" + std::to_string(r.tri_tests) + ">";
      });
  m.def("collide", &Collide, py::arg("a"), py::arg("pose_a"), py::arg("b"), py::arg("pose_b"),
        py::arg("all_pairs") = false, kCollideDoc);
  m.def("collide_many", &CollideMany, py::arg("a"), py::arg("R_a"), py::arg("t_a"), py::arg("b"), py::arg("R_b"),
        py::arg("t_b"), py::arg("threads") = py::none(), kCollideManyDoc);
  m.def("triangles_touch", &TrianglesTouch, py::arg("p"), py::arg("q"), kTrianglesTouchDoc);
}

}  // namespace quorvel_python
