# panel-layout: lays the demo's control panel out without a window, with the demo's own code,
# and prints where each control lies. The GUI test clicks at these places.
if(TARGET quorvel_app)
  add_executable(panel-layout ${CMAKE_CURRENT_LIST_DIR}/panel-layout.cpp)
  target_link_libraries(panel-layout PRIVATE quorvel_app)
endif()
