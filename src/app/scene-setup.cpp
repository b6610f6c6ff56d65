#include "app/scene-setup.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <ctime>
#include <iostream>

#include "app/app-globals.h"
#include "app/draw/model-drawing.h"

namespace {

// After the loader's message for a mesh file it could not open: where the demo looked.
void SayWhereTheMeshFilesAre() {
  char folder[PATH_MAX];
  std::cerr << "quorvel: the working folder is " << (getcwd(folder, sizeof folder) ? folder : "unknown")
            << "; the mesh files are in data/ (make run starts the demo there)." << std::endl;
}

}  // namespace

void InitScene() {
  // The loader ends the program on a file it cannot open; the hint follows its message.
  for (const char* file : {"box.tris", "sphere03.tris"}) {
    if (access(file, R_OK) != 0) {
      std::atexit(SayWhereTheMeshFilesAre);
      break;
    }
  }
  SetUpScene(scene, static_cast<unsigned>(std::time(nullptr)));
  // The box's list is never called (the box is drawn as a scaled cube) but, like every loaded
  // model, it has one.
  for (RBSystem* system : {&environment_system, &bodies_system}) {
    for (uint32_t i = 0; i < system->BodyCount(); ++i) {
      CompileDisplayList(system->Body(i)->render_model);
    }
  }
  std::cerr << "Keys and mouse of the main window: quorvel --help" << std::endl;
}
