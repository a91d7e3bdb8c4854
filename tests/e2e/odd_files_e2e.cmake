# End-to-end tests of the files around the program; included by CMakeLists.txt here, after its
# checks for python3, Xvfb, xdotool and import.
set(VR_ODD_FILES_E2E_TESTS
    test_help_opens_at_its_contents_from_a_folder_named_like_a_link
    test_sound_file_that_is_no_regular_file_does_not_hold_the_start
    test_sounds_are_the_programs_own_beside_a_folder_spelt_alike)
foreach(test IN LISTS VR_ODD_FILES_E2E_TESTS)
  add_test(NAME e2e.files.${test}
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/odd_files_e2e.py OddFilesTest.${test})
  set_tests_properties(e2e.files.${test} PROPERTIES
      LABELS e2e
      TIMEOUT 180
      ENVIRONMENT "VR_PROGRAM_DIR=${VR_PROGRAM_DIR};VR_XPROBE=$<TARGET_FILE:xprobe>"
      REQUIRED_FILES "${VR_PROGRAM_DIR}/voidraid")
endforeach()
