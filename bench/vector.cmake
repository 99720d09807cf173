# vector_bench: SVG and PDF drawings of examples/functions.lwf at 1600 x 1200 against
# its PNG picture, and the cost of the picture's record of shapes in the builders of
# fields of pixels, with the ratios printed at the end.
add_executable(vector_bench ${CMAKE_CURRENT_LIST_DIR}/vector_bench.cpp)
target_link_libraries(vector_bench PRIVATE plot2d benchmark::benchmark)
target_compile_definitions(vector_bench PRIVATE LW_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples")
lw_warnings(vector_bench)
