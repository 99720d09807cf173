# view3d_bench: the 3D view's cost for a heavy figure (the example surfaces with all
# steps at 0.01, about 2.9 million triangles a surface) on the system's own renderer
# off screen: preparing the figure for drawing, the first full frame, and frames per
# second while it turns.
add_executable(view3d_bench ${CMAKE_CURRENT_LIST_DIR}/view3d_bench.cpp)
target_link_libraries(view3d_bench PRIVATE scene3d_offscreen)
target_compile_definitions(view3d_bench PRIVATE
  LW_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples")
lw_warnings(view3d_bench)
