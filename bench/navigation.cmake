# navigation_bench: the 2D view moved by hand on every example at 1920 x 1080, with
# the builds on every core: preview pictures a second, and the time from a wheel
# notch or a drag move to the finished picture.
add_executable(navigation_bench ${CMAKE_CURRENT_LIST_DIR}/navigation_bench.cpp)
target_link_libraries(navigation_bench PRIVATE app)
target_compile_definitions(navigation_bench PRIVATE
  LW_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples")
lw_warnings(navigation_bench)
