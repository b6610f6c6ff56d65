// quorvel.Scene over the simulation's own scene, experiment and benchmark functions: set-up,
// shot, iterations and settling are the very calls the demo and quorvel-bench make.
#include "py-scene.h"

#include <pybind11/numpy.h>

#include <cmath>
#include <ctime>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "arrays.h"
#include "collision/tris-file.h"
#include "errors.h"
#include "fingerprint.h"
#include "inspect/scene-measures.h"
#include "mesh-path.h"
#include "performance-analysis.h"
#include "rolling-rule.h"
#include "scene.h"
#include "scenes/experiment-options.h"
#include "scenes/experiment.h"
#include "tris-file-or-exit.h"

namespace py = pybind11;

namespace quorvel_python {

namespace {

const char kSceneDoc[] = R"(Scene(scene="break", bodies=10, model=3, seed=None, data_dir=None)

The scene the demo and quorvel-bench share (scene="break": ten spheres racked in a diamond, one
facing them, inside the box), or one of the experiments: "head-on", "glancing", "cradle",
"slide-to-roll", "bank", "crowd". bodies is the number of spheres of the break (1 to 1000;
beyond ten placed at random) and of the crowd (2 to 300); the other scenes have their own.
model N reads sphereNN.tris (0 to 99). seed seeds the random generator (None: the current
time). data_dir is the folder of box.tris and the sphere files (None: the working directory, as
our programs read them).

The scene is set up at rest and racked. start() shoots; step(n) runs n whole iterations;
settle() runs the benchmark's settling loop. After settle() and step(16384, rolling_rule=False)
fingerprint() equals `quorvel-bench --seed S --fingerprint` for the same seed, bodies, model,
step_size and rk4 (the benchmark's iterations have no rolling rule).

Bodies' figures are NumPy copies in world axes, single precision as the simulation keeps them.
All scenes share the simulation's one random generator, and a Scene belongs to one thread.

A missing mesh file raises OSError, a malformed one ValueError; a bad option ValueError.)";

// The simulation's set-up writes its progress to the standard error stream, for our programs'
// consoles; a module keeps quiet.
class QuietErrorStream {
 public:
  QuietErrorStream() : saved_(std::cerr.rdbuf(sink_.rdbuf())) {}
  ~QuietErrorStream() { std::cerr.rdbuf(saved_); }

 private:
  std::ostringstream sink_;
  std::streambuf* saved_;
};

// An option checked by the benchmark's own option reader, so that both take the same values.
void TakeOption(const char* option, const std::string& value, Experiment& experiment) {
  std::string option_text = option, value_text = value;
  char* argv[] = {nullptr, &option_text[0], &value_text[0]};
  int a = 1;
  bool seed_given = false;
  std::string problem;
  if (TakeExperimentOption(3, argv, a, experiment, seed_given, problem) != OptionTaken::kTaken)
    Raise(PyExc_ValueError, problem.substr(2));  // without the leading "--"
}

// Our programs end on a bad mesh file; the module reads each file first and raises instead.
void CheckMeshFile(const std::string& folder, const char* name) {
  const std::string path = MeshPath(folder, name);
  std::vector<float> coords;
  int count = 0;
  std::string message;
  switch (ReadTris(path.c_str(), coords, count, message)) {
    case TrisStatus::Ok: break;
    case TrisStatus::CannotOpen:
    case TrisStatus::CannotRead: Raise(PyExc_OSError, path + ": " + message);
    default: Raise(PyExc_ValueError, path + ": " + message);
  }
  // Our programs also refuse a mesh that no body could touch.
  if (!HasTriangleWithArea(coords)) Raise(PyExc_ValueError, path + ": " + kNoAreaMessage);
}

class PyScene {
 public:
  PyScene(const std::string& name, long bodies, long model, py::object seed, py::object data_dir) {
    TakeOption("--scene", name, experiment_);
    TakeOption("--bodies", std::to_string(bodies), experiment_);
    TakeOption("--model", std::to_string(model), experiment_);
    if (seed.is_none())
      experiment_.seed = static_cast<unsigned>(std::time(nullptr));
    else
      TakeOption("--seed", std::to_string(seed.cast<long long>()), experiment_);
    std::string problem;
    if (!ExperimentOptionsAgree(experiment_, problem)) Raise(PyExc_ValueError, problem.substr(2));
    const std::string folder = data_dir.is_none() ? std::string() : py::str(data_dir).cast<std::string>();
    char sphere[64];
    RBSystem::ModelFileName(experiment_.model, sphere, sizeof sphere);
    CheckMeshFile(folder, "box.tris");
    CheckMeshFile(folder, sphere);

    const unsigned count = SceneBodyCount(experiment_.kind, experiment_.bodies);
    scene_ = std::make_unique<Scene>(count);
    scene_->mesh_folder = folder;
    QuietErrorStream quiet;
    SetUpExperiment(*scene_, experiment_);
  }

  void Start(py::object direction, double speed) {
    if (!std::isfinite(speed)) Raise(PyExc_ValueError, "speed must be finite");
    if (!direction.is_none()) {
      const Doubles d = AsDoubles(direction, "direction");
      RequireShape(d, {3}, "direction", "(3,)");
      Vec3 unit(static_cast<float>(d.data()[0]), static_cast<float>(d.data()[1]), static_cast<float>(d.data()[2]));
      if (!(std::isfinite(unit.Length()) && unit.Length() > 0))
        Raise(PyExc_ValueError, "direction must be a finite vector other than zero");
      unit.Normalize();
      experiment_.aim = Shot{unit, static_cast<float>(speed)};
    } else if (static_cast<float>(speed) != RBSystem::kShotSpeed) {
      Shot shot = SceneShot(experiment_.kind);
      shot.speed = static_cast<float>(speed);
      experiment_.aim = shot;
    }
    StartExperiment(*scene_, experiment_, started_);
    started_ = true;
  }

  void Step(long n, bool rolling_rule) {
    if (n < 0) Raise(PyExc_ValueError, "n must not be negative");
    for (long i = 0; i < n; ++i) {
      RunSimulationIteration(scene_->bodies_system, scene_->environment_system, step_size_);
      if (rolling_rule) ApplyRollingRule(*scene_);
    }
  }

  long Settle() {
    if (!started_) Start(py::none(), RBSystem::kShotSpeed);
    return SettleSystem(scene_->bodies_system, scene_->environment_system, step_size_);
  }

  float step_size() const { return step_size_; }
  void set_step_size(double h) {
    // The benchmark's --step range.
    if (!(h > 0 && h <= 10)) Raise(PyExc_ValueError, "step_size must be in (0, 10]");
    step_size_ = static_cast<float>(h);
  }
  bool rk4() const { return scene_->bodies_system.use_rk4 != 0; }
  void set_rk4(bool on) { on ? scene_->bodies_system.SetRK4() : scene_->bodies_system.SetEuler(); }

  Scene& scene() { return *scene_; }
  RBSystem& bodies() { return scene_->bodies_system; }

 private:
  std::unique_ptr<Scene> scene_;
  Experiment experiment_;
  bool started_ = false;
  float step_size_ = 0.1f;
};

// An (n, width) float32 copy of a per-body figure.
template <class Fill>
py::array_t<float> PerBody(RBSystem& bodies, py::ssize_t width, Fill fill) {
  const py::ssize_t n = bodies.BodyCount();
  py::array_t<float> out({n, width});
  float* o = out.mutable_data();
  for (py::ssize_t i = 0; i < n; ++i) fill(*bodies.Body(static_cast<uint32_t>(i)), o + width * i);
  return out;
}

void Put(const Vec3& v, float* o) {
  o[0] = v.x;
  o[1] = v.y;
  o[2] = v.z;
}

float SettableCoefficient(double value, const char* name) {
  if (!(std::isfinite(value) && value >= 0)) Raise(PyExc_ValueError, std::string(name) + " must be finite and >= 0");
  return static_cast<float>(value);
}

}  // namespace

void BindScene(py::module_& m) {
  py::class_<PyScene>(m, "Scene", kSceneDoc)
      .def(py::init<const std::string&, long, long, py::object, py::object>(), py::arg("scene") = "break",
           py::arg("bodies") = 10, py::arg("model") = 3, py::arg("seed") = py::none(),
           py::arg("data_dir") = py::none())
      .def("start", &PyScene::Start, py::arg("direction") = py::none(), py::arg("speed") = 15.0,
           R"(start(direction=None, speed=15.0)

The Start button: every ball sliding again with the current slide; if already started, a fresh
rack first; then body 0's shot. direction None: the scene's own shot (for the break and the
crowd the random one, from the generator), at the given speed; else a horizontal direction (world
axes; normalised here) at that speed. The clock starts at 0.)")
      .def("step", &PyScene::Step, py::arg("n") = 1, py::arg("rolling_rule") = true,
           R"(step(n=1, rolling_rule=True)

n whole iterations of step_size, as a frame of the demo runs them: the integrator step, the
body-body pass, the body-environment pass, and (rolling_rule=True) the slide-to-roll rule. The
benchmark's iterations leave the rule out: step(n, rolling_rule=False) runs those.)")
      .def("settle", &PyScene::Settle,
           R"(settle() -> int

The benchmark's settling loop: shoots as the benchmark does (unless start() has shot already),
then runs iterations (without the rolling rule) until one is free of contacts, at most 100,000.
Returns the iterations taken.)")
      .def("fingerprint", [](PyScene& s) {
             char text[17];
             std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(StateFingerprint(s.bodies())));
             return std::string(text);
           },
           "A 64-bit hash of every body's state, bit for bit, as 16 hex digits: what quorvel-bench "
           "--fingerprint prints.")
      .def_property(
          "slide", [](PyScene& s) { return s.scene().slide; },
          [](PyScene& s, double v) { s.scene().slide = SettableCoefficient(v, "slide"); },
          "Sliding friction coefficient (0.005), given to the balls at every start().")
      .def_property(
          "roll", [](PyScene& s) { return s.scene().roll; },
          [](PyScene& s, double v) { s.scene().roll = SettableCoefficient(v, "roll"); },
          "Rolling resistance coefficient (0.005), given to a ball when it starts rolling.")
      .def_property("step_size", &PyScene::step_size, &PyScene::set_step_size,
                    "Time step of every iteration, in (0, 10] (0.1).")
      .def_property("rk4", &PyScene::rk4, &PyScene::set_rk4,
                    "True: fourth-order Runge-Kutta; False: explicit Euler (the default).")
      .def_property_readonly(
          "positions", [](PyScene& s) { return PerBody(s.bodies(), 3, [](RigidBody& b, float* o) { Put(b.position, o); }); },
          "(n, 3) float32: every ball's centre.")
      .def_property_readonly(
          "velocities", [](PyScene& s) { return PerBody(s.bodies(), 3, [](RigidBody& b, float* o) { Put(b.velocity, o); }); },
          "(n, 3) float32: every ball's velocity as the last pass left it.")
      .def_property_readonly(
          "orientations",
          [](PyScene& s) {
            return PerBody(s.bodies(), 4, [](RigidBody& b, float* o) {
              o[0] = b.orientation.s;
              Put(b.orientation.v, o + 1);
            });
          },
          "(n, 4) float32: every ball's orientation quaternion, scalar part first (s, x, y, z).")
      .def_property_readonly(
          "angular_momenta",
          [](PyScene& s) { return PerBody(s.bodies(), 3, [](RigidBody& b, float* o) { Put(b.angular_momentum, o); }); },
          "(n, 3) float32: every ball's angular momentum, world axes.")
      .def_property_readonly(
          "rolling",
          [](PyScene& s) {
            RBSystem& bodies = s.bodies();
            py::array_t<bool> out(static_cast<py::ssize_t>(bodies.BodyCount()));
            for (uint32_t i = 0; i < bodies.BodyCount(); ++i) out.mutable_data()[i] = bodies.Body(i)->IsRolling();
            return out;
          },
          "(n,) bool: which balls roll (the slide-to-roll rule has switched them).")
      .def_property_readonly("time", [](PyScene& s) { return s.bodies().time; }, "Simulated time since the shot.")
      .def_property_readonly(
          "kinetic_energy", [](PyScene& s) { return MeasureBodies(s.bodies()).KineticEnergy(); },
          "Kinetic energy of the balls' motion and spin, from each one's mass and inertia.")
      .def("__len__", [](PyScene& s) { return s.bodies().BodyCount(); }, "The number of balls.");
}

}  // namespace quorvel_python
