# plot2d_bench: the relation-region, contour and colour-map builders over the whole
# 1600 x 1200 picture against the bare compiled evaluations of the same formula over
# the same pixels, with the ratios printed at the end.
add_executable(plot2d_bench ${CMAKE_CURRENT_LIST_DIR}/plot2d_bench.cpp)
target_link_libraries(plot2d_bench PRIVATE plot2d benchmark::benchmark)
lw_warnings(plot2d_bench)
