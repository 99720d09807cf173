# scene3d_bench: building a 1001 x 1001 surface against the bare compiled
# evaluations of the same grid, and reading DXF files of 100 000 and 200 000 faces.
# "scene3d_bench --build-once" builds the grid once and exits, for measuring the
# build's peak memory with /usr/bin/time -v.
add_executable(scene3d_bench ${CMAKE_CURRENT_LIST_DIR}/scene3d_bench.cpp)
target_link_libraries(scene3d_bench PRIVATE scene3d benchmark::benchmark)
lw_warnings(scene3d_bench)
