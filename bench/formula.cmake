# formula_bench: the compiled formula path against the same formulas written as
# native C++ and against muParser, on the same x values.
find_path(MUPARSER_INCLUDE_DIR muParser.h PATH_SUFFIXES muparser)
find_library(MUPARSER_LIBRARY muparser)
add_executable(formula_bench ${CMAKE_CURRENT_LIST_DIR}/formula_bench.cpp)
target_link_libraries(formula_bench PRIVATE formula benchmark::benchmark)
if(MUPARSER_INCLUDE_DIR AND MUPARSER_LIBRARY)
  target_include_directories(formula_bench SYSTEM PRIVATE ${MUPARSER_INCLUDE_DIR})
  target_link_libraries(formula_bench PRIVATE ${MUPARSER_LIBRARY})
  target_compile_definitions(formula_bench PRIVATE LW_HAVE_MUPARSER=1)
else()
  message(STATUS "muParser not found: formula_bench compares with native code only")
endif()
lw_warnings(formula_bench)
