# End-to-end test of the exit on a signal; included by CMakeLists.txt here, after its checks
# for python3, Xvfb, xdotool and import.
add_test(NAME e2e.signals.test_signal_saves_the_settings_and_ends_the_program
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/signal_exit_e2e.py
                 SignalExitTest.test_signal_saves_the_settings_and_ends_the_program)
set_tests_properties(e2e.signals.test_signal_saves_the_settings_and_ends_the_program PROPERTIES
    LABELS e2e
    TIMEOUT 180
    ENVIRONMENT "VR_PROGRAM_DIR=${VR_PROGRAM_DIR};VR_XPROBE=$<TARGET_FILE:xprobe>"
    REQUIRED_FILES "${VR_PROGRAM_DIR}/voidraid")
