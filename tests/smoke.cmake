tarnwick_add_test(smoke_test SOURCES smoke_test.cpp LIBS skin_internal)
