# Helpers shared by the test executables: pixel reading, GDI object counts,
# and the fixtures that make skinned test windows.
add_library(tarnwick_test_support STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/support/gdi_count.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/support/pixels.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/support/simulated_high_contrast.cpp)
target_include_directories(tarnwick_test_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_options(tarnwick_test_support PRIVATE ${TARNWICK_WARNINGS})
target_link_libraries(tarnwick_test_support PUBLIC user32 gdi32)

add_library(skin_test_fixtures STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/support/engine_fixture.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/support/family_fixture.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/support/true_face.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/support/real_input.cpp)
target_compile_options(skin_test_fixtures PRIVATE ${TARNWICK_WARNINGS})
target_link_libraries(skin_test_fixtures PUBLIC skin_internal gallery_controls tarnwick_test_support ${TARNWICK_GTEST} comctl32)
