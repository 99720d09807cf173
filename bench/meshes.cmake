# meshes_bench: saving and opening the 1001 x 1001 surface as binary STL, binary
# PLY and GLB against the same as DXF, through the file half.
add_executable(meshes_bench ${CMAKE_CURRENT_LIST_DIR}/meshes_bench.cpp)
target_link_libraries(meshes_bench PRIVATE scene3d benchmark::benchmark)
lw_warnings(meshes_bench)
