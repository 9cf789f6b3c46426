# The skin engine's foundation: families, properties, rounding, the GDI
# toolkit and the sprite sheets.
tarnwick_add_test(core_test
  SOURCES core/core_test.cpp
  LIBS skin_internal tarnwick_test_support)
