# Reads the icon, pointer and version resources back through the platform's
# resource and version APIs: from this test's own module (it links the same
# compiled script as Tarnwick.exe) and, when given a path, from that file.
tarnwick_add_test(resources_test
  SOURCES resources/resources_test.cpp
  LIBS tarnwick_resources version gdi32 user32 shell32)

# The same checks on the built program itself.
add_test(NAME product_resources_test COMMAND resources_test $<TARGET_FILE:Tarnwick>)
set_tests_properties(product_resources_test PROPERTIES TIMEOUT 300)

# The checked-in icon and pointer must be exactly what the generator draws.
find_package(Python3 COMPONENTS Interpreter)
if(Python3_Interpreter_FOUND)
  add_test(NAME artwork_reproducible
           COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/make_artwork.py --check)
endif()

# The 64-bit tests also read the 32-bit product itself, which scripts/build.sh
# builds beside them, as data.
get_filename_component(TARNWICK_I686_EXE ${CMAKE_BINARY_DIR}/../i686/app/Tarnwick.exe ABSOLUTE)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64" AND EXISTS ${TARNWICK_I686_EXE})
  add_test(NAME product32_resources_test COMMAND resources_test ${TARNWICK_I686_EXE})
  set_tests_properties(product32_resources_test PROPERTIES TIMEOUT 300)
endif()
