# threads_bench: the samplers on one thread against every core (ratios), how soon a
# stop request ends a build, and how late the interface thread's timer fires during a
# build beside it.
add_executable(threads_bench ${CMAKE_CURRENT_LIST_DIR}/threads_bench.cpp)
target_link_libraries(threads_bench PRIVATE app)
lw_warnings(threads_bench)
