# End-to-end tests of the windows as a desktop expects them; included by CMakeLists.txt here,
# after its checks for python3, Xvfb, xdotool and import. Some run a window manager, openbox.
set(VR_WINDOWS_E2E_TESTS
    test_tab_goes_round_every_window
    test_frames_count_under_a_window_manager
    test_every_window_carries_the_program_class
    test_information_again_brings_the_viewer_up_with_the_keyboard
    test_modal_window_stays_above_the_window_it_blocks
    test_about_label_stays_in_its_box)
foreach(test IN LISTS VR_WINDOWS_E2E_TESTS)
  add_test(NAME e2e.windows.${test}
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/windows_e2e.py WindowsTest.${test})
  set_tests_properties(e2e.windows.${test} PROPERTIES
      LABELS e2e
      TIMEOUT 180
      ENVIRONMENT "VR_PROGRAM_DIR=${VR_PROGRAM_DIR};VR_XPROBE=$<TARGET_FILE:xprobe>"
      REQUIRED_FILES "${VR_PROGRAM_DIR}/voidraid")
endforeach()
