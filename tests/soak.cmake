# A seeded storm of messages over every family, then a full detach.
tarnwick_add_test(soak_test SOURCES soak/soak_test.cpp LIBS tarnwick_app skin_internal gallery_controls tarnwick_test_support comctl32)
