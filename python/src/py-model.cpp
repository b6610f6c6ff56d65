#include "py-model.h"

#include <cmath>
#include <string>

#include "arrays.h"
#include "collision/status.h"
#include "collision/tris-model.h"
#include "errors.h"

namespace py = pybind11;

namespace quorvel_python {

namespace {

const char kModelDoc[] = R"(A triangle mesh built for collision queries: its triangles and a tree of bounding volumes.

Model(triangles)        triangles: floats of shape (m, 3, 3), triangle i's three corners
Model(vertices, faces)  vertices: floats of shape (n, 3); faces: integers of shape (m, 3),
                        each row three indices into vertices
Model.from_tris(path)   read one of our .tris mesh files

Triangle i (row i, or the i-th triangle of the file) has id i: the ids that collide() reports.
Coordinates are taken in double precision. A built model never changes, so one model may be
used by any number of queries and threads at once. len(model) is its triangle count.

Raises TypeError for entries that are not numbers (or faces that are not integers), ValueError
for a wrong shape, no triangles or a coordinate that is NaN or infinite (naming the triangle or
vertex), IndexError for a face index outside the vertices.)";

const char kFromTrisDoc[] = R"(Model.from_tris(path, scale=1.0) -> Model

Reads one of our .tris mesh files (a triangle count, then nine numbers per triangle) and
builds its model; triangle i of the file has id i, its corners multiplied by scale. A missing
or unreadable file raises OSError, a malformed one ValueError naming the triangle at fault
("Triangle 2 of 5 is incomplete: expected 9 numbers, found 4."), with the file's name.)";

PyModel Built(CQ_Model* model, const std::string& what) {
  std::shared_ptr<CQ_Model> owned(model);
  const int status = owned->EndModel();
  if (status != StatusOk) RaiseForStatus(status, what, "the model could not be built");
  return PyModel{owned};
}

void Begin(CQ_Model& model, py::ssize_t m, const char* name) {
  if (m == 0) Raise(PyExc_ValueError, std::string(name) + " holds no triangles: a model needs at least one");
  if (m > 0x7fffffff) Raise(PyExc_ValueError, std::string(name) + " holds more triangles than a model takes");
  if (model.BeginModel(static_cast<int>(m)) != StatusOk) Raise(PyExc_MemoryError, "no storage for the triangles");
}

void Add(CQ_Model& model, const double* p, int id) {
  if (model.AddTri(p, p + 3, p + 6, id) != StatusOk) Raise(PyExc_MemoryError, "no storage for the triangles");
}

PyModel FromTriangles(py::handle triangles_object) {
  const Doubles triangles = AsDoubles(triangles_object, "triangles");
  RequireShape(triangles, {-1, 3, 3}, "triangles", "(m, 3, 3)");
  const py::ssize_t m = triangles.shape(0);
  const py::ssize_t bad = FirstNonFinite(triangles.data(), 9 * m);
  if (bad >= 0)
    Raise(PyExc_ValueError, "triangle " + std::to_string(bad / 9) + " has a coordinate that is not finite (NaN or infinity)");
  auto* model = new CQ_Model;
  std::unique_ptr<CQ_Model> guard(model);
  Begin(*model, m, "triangles");
  for (py::ssize_t i = 0; i < m; ++i) Add(*model, triangles.data() + 9 * i, static_cast<int>(i));
  return Built(guard.release(), "triangles");
}

PyModel FromVerticesAndFaces(py::handle vertices_object, py::handle faces_object) {
  const Doubles vertices = AsDoubles(vertices_object, "vertices");
  RequireShape(vertices, {-1, 3}, "vertices", "(n, 3)");
  const Integers faces = AsIntegers(faces_object, "faces");
  RequireShape(faces, {-1, 3}, "faces", "(m, 3)");
  const py::ssize_t n = vertices.shape(0);
  const py::ssize_t bad = FirstNonFinite(vertices.data(), 3 * n);
  if (bad >= 0)
    Raise(PyExc_ValueError, "vertex " + std::to_string(bad / 3) + " has a coordinate that is not finite (NaN or infinity)");
  const py::ssize_t m = faces.shape(0);
  const long long* f = faces.data();
  for (py::ssize_t k = 0; k < 3 * m; ++k)
    if (f[k] < 0 || f[k] >= n)
      Raise(PyExc_IndexError, "face " + std::to_string(k / 3) + " refers to vertex " + std::to_string(f[k]) +
                                  ", but there are " + std::to_string(n) + " vertices");
  auto* model = new CQ_Model;
  std::unique_ptr<CQ_Model> guard(model);
  Begin(*model, m, "faces");
  const double* v = vertices.data();
  for (py::ssize_t i = 0; i < m; ++i) {
    double corners[9];
    for (int c = 0; c < 3; ++c)
      for (int k = 0; k < 3; ++k) corners[3 * c + k] = v[3 * f[3 * i + c] + k];
    Add(*model, corners, static_cast<int>(i));
  }
  return Built(guard.release(), "faces");
}

PyModel FromTris(const std::string& path, double scale) {
  if (!std::isfinite(scale)) Raise(PyExc_ValueError, "scale must be finite");
  auto model = std::make_shared<CQ_Model>();
  std::string message;
  const int status = LoadTrisModel(*model, path.c_str(), message, scale);
  if (status != StatusOk) RaiseForStatus(status, path, message.empty() ? "the model could not be built" : message);
  return PyModel{model};
}

}  // namespace

void BindModel(py::module_& m) {
  py::class_<PyModel>(m, "Model", kModelDoc)
      .def(py::init([](py::handle first, py::object faces) {
             return faces.is_none() ? FromTriangles(first) : FromVerticesAndFaces(first, faces);
           }),
           py::arg("triangles"), py::arg("faces") = py::none(),
           "Model(triangles) or Model(vertices, faces): see the class's description.")
      .def_static("from_tris", &FromTris, py::arg("path"), py::arg("scale") = 1.0, kFromTrisDoc)
      .def("__len__", [](const PyModel& self) { return self.model->tri_count(); },
           "The number of triangles.")
      .def("__repr__", [](const PyModel& self) {
        return "<quorvel.Model of " + std::to_string(self.model->tri_count()) + " triangles>";
      });
}

}  // namespace quorvel_python
