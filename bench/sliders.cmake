# sliders_bench: replays a recorded drag of a constant over 100 values on
# examples/functions.lwf and on a 1600 x 1200 colour map, through the slider path
# (line rewritten, coalesced rebuild), and prints finished pictures a second, the
# interface's worst wait, and the ratio to bare builds of the same values.
add_executable(sliders_bench ${CMAKE_CURRENT_LIST_DIR}/sliders_bench.cpp)
target_link_libraries(sliders_bench PRIVATE app)
target_compile_definitions(sliders_bench PRIVATE
  LW_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples")
lw_warnings(sliders_bench)
