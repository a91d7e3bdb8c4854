# End-to-end tests of the high-score dialog; included by CMakeLists.txt here, after its checks
# for python3, Xvfb, xdotool and import.
set(VR_SCORES_E2E_TESTS
    test_name_entered_after_game_then_table_from_menu
    test_table_admits_or_refuses_a_game_of_0
    test_utf8_name_typed_shown_and_stored
    test_close_request_in_view_layout_is_ok
    test_table_and_settings_that_cannot_be_saved_are_told_once_each)
foreach(test IN LISTS VR_SCORES_E2E_TESTS)
  add_test(NAME e2e.scores.${test}
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/scores_e2e.py HighScoreDialogTest.${test})
  set_tests_properties(e2e.scores.${test} PROPERTIES
      LABELS e2e
      TIMEOUT 180
      ENVIRONMENT "VR_PROGRAM_DIR=${VR_PROGRAM_DIR};VR_XPROBE=$<TARGET_FILE:xprobe>"
      REQUIRED_FILES "${VR_PROGRAM_DIR}/voidraid")
endforeach()
