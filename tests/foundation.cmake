# The skin engine's foundation: families, properties, rounding, the GDI
# toolkit and the sprite sheets.
tarnwick_add_test(core_test
  SOURCES core/core_test.cpp
  LIBS skin_internal tarnwick_test_support)
tarnwick_add_test(gdi_toolkit_test
  SOURCES render/gdi_toolkit_test.cpp
  LIBS skin_internal tarnwick_test_support)
tarnwick_add_test(sprite_sheets_test
  SOURCES render/sprite_sheets_test.cpp
  LIBS skin_internal tarnwick_test_support)
tarnwick_add_test(gdi_leak_test
  SOURCES render/gdi_leak_test.cpp
  LIBS skin_internal tarnwick_test_support)
