# Control families, window properties and the rounding they rest on.
tarnwick_add_test(state_test
  SOURCES state/state_test.cpp
  LIBS skin_internal tarnwick_test_support)
