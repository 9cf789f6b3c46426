# Visual states, the fade, and the size and position handlers, driven by
# real input.
tarnwick_add_test(interact_test
  SOURCES
    interact/button_test.cpp
    interact/combo_test.cpp
    interact/combo_states_test.cpp
    interact/size_and_position_test.cpp
    interact/true_state_test.cpp
  LIBS skin_test_fixtures)

# Skinned push buttons inside dialogs, side by side with unskinned ones:
# the commands the dialog manager sends, pictures, text and mirroring.
tarnwick_add_test(dialog_button_test SOURCES interact/dialog_button_test.cpp LIBS skin_test_fixtures comdlg32)
