# Run at every build (cmake -P): the files at the top of src/ find every folder below them by
# their own location, which no include path can hide, so their includes are checked here. The
# simulation may use the collision library's public headers, math/, darray/ and base/; never
# the layers above it (scenes/, inspect/, app/) nor the library's internals (collision/build/, walk/).
file(GLOB files ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
set(failed FALSE)
foreach(file ${files})
  file(STRINGS ${file} lines REGEX "^#include \"(scenes|inspect|app|collision/build|collision/walk)/")
  foreach(line ${lines})
    message(SEND_ERROR "${file}: ${line}: the simulation may not include a layer above it or the collision library's internals")
    set(failed TRUE)
  endforeach()
endforeach()
if(failed)
  message(FATAL_ERROR "wrong includes at the top of src/")
endif()
