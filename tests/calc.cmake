# The calculator: pure computation and formatting, then the real window.
tarnwick_add_test(calc_logic_test SOURCES calc/calc_logic_test.cpp LIBS tarnwick_app)
tarnwick_add_test(form1_test SOURCES calc/form1_test.cpp LIBS tarnwick_app)
# The calculator with its skin, driven by real input.
tarnwick_add_test(skinned_form1_test SOURCES calc/skinned_form1_test.cpp LIBS tarnwick_app skin_internal)
