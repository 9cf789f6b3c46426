tarnwick_add_test(skin_engine_test
  SOURCES
    engine/engine_fixture.cpp
    engine/attach_test.cpp
    engine/button_test.cpp
    engine/combo_test.cpp
    engine/geometry_test.cpp
  LIBS skin_internal comctl32)
