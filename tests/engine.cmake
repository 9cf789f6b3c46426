# Attach and detach: what they change on real windows and what they free.
tarnwick_add_test(engine_test
  SOURCES
    engine/attach_test.cpp
    engine/high_contrast_test.cpp
    engine/leak_test.cpp
  LIBS skin_test_fixtures)
