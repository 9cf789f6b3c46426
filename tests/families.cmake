tarnwick_add_test(skin_families_test
  SOURCES
    engine/engine_fixture.cpp
    families/family_fixture.cpp
    families/glyph_test.cpp
    families/header_test.cpp
    families/progress_test.cpp
    families/combo_states_test.cpp
    families/leak_test.cpp
  LIBS skin_internal gallery_controls tarnwick_test_support comctl32)
