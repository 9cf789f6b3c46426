# The skin's artwork and the windows' layouts at the DPI the process runs
# at: once at 96 DPI in the prepared prefix and again at 120, 144 and 192 in
# copies of it (scripts/wine-env.sh, wine_dpi_prefix).
tarnwick_add_test(dpi_test
  SOURCES
    dpi/artwork_dpi_test.cpp
    dpi/layout_dpi_test.cpp
  LIBS skin_test_fixtures tarnwick_app)
foreach(dpi 120 144 192)
  add_test(NAME dpi_test_${dpi} COMMAND dpi_test)
  set_tests_properties(dpi_test_${dpi} PROPERTIES TIMEOUT 300 ENVIRONMENT TARNWICK_DPI=${dpi})
endforeach()
