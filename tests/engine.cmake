# Attach and detach: what they change on real windows and what they free.
tarnwick_add_test(engine_test
  SOURCES
    engine/attach_test.cpp
    engine/high_contrast_test.cpp
    engine/leak_test.cpp
  LIBS skin_test_fixtures)

# Several GUI threads, each skinning its own windows, side by side.
tarnwick_add_test(threads_test
  SOURCES engine/threads_test.cpp
  LIBS skin_test_fixtures)
