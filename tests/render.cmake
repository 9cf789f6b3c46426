# The sprite sheets, then every painter on real windows.
tarnwick_add_test(sprite_sheets_test
  SOURCES render/sprite_sheets_test.cpp
  LIBS skin_internal tarnwick_test_support)
tarnwick_add_test(render_test
  SOURCES
    render/glyph_test.cpp
    render/header_test.cpp
    render/progress_test.cpp
  LIBS skin_test_fixtures)
