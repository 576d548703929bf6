# Checks of the sources themselves, run by ctest on the build machine (no Wine): once, in the
# x64 build, since both builds share the sources.
if(NOT TRELVANE_ARCH STREQUAL "x64")
  return()
endif()
find_package(Python3 REQUIRED COMPONENTS Interpreter)

add_test(NAME check_layers COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/check_layers.py)
set_tests_properties(check_layers PROPERTIES TIMEOUT 60)

add_test(NAME check_resource_ids COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/check_resource_ids.py)
set_tests_properties(check_resource_ids PROPERTIES TIMEOUT 60)

# clang-tidy and cppcheck over the product code (about three minutes of one core).
add_test(NAME check_lint COMMAND ${CMAKE_SOURCE_DIR}/tools/lint.sh ${CMAKE_BINARY_DIR})
set_tests_properties(check_lint PROPERTIES TIMEOUT 600)

# Handles freed by hand outside base/'s owners.
add_test(NAME check_handle_owners COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/check_handle_owners.py)
set_tests_properties(check_handle_owners PROPERTIES TIMEOUT 60)
