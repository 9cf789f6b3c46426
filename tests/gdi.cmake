# The bottom layer: the GDI toolkit and its resource owners.
tarnwick_add_test(gdi_toolkit_test
  SOURCES gdi/gdi_toolkit_test.cpp
  LIBS skin_internal tarnwick_test_support)
tarnwick_add_test(gdi_leak_test
  SOURCES gdi/gdi_leak_test.cpp
  LIBS skin_internal tarnwick_test_support)
