# End-to-end tests of the game screen's pixels, over shared memory and over the connection;
# included by CMakeLists.txt here, after its checks for python3, Xvfb, xdotool and import.
add_library(fixed_clock MODULE ${CMAKE_CURRENT_LIST_DIR}/fixed_clock.cpp)
target_link_libraries(fixed_clock PRIVATE ${CMAKE_DL_LIBS})
set_target_properties(fixed_clock PROPERTIES PREFIX "" LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)

set(VR_SCREEN_E2E_TESTS
    test_frames_over_shared_memory
    test_frames_over_the_connection
    test_frames_when_the_server_refuses_our_memory)
foreach(test IN LISTS VR_SCREEN_E2E_TESTS)
  add_test(NAME e2e.screen.${test}
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/screen_e2e.py GameScreenTest.${test})
  set_tests_properties(e2e.screen.${test} PROPERTIES
      LABELS e2e
      TIMEOUT 180
      ENVIRONMENT "VR_PROGRAM_DIR=${VR_PROGRAM_DIR};VR_XPROBE=$<TARGET_FILE:xprobe>;VR_FIXED_CLOCK=$<TARGET_FILE:fixed_clock>;VR_DEMO=$<TARGET_FILE:voidraid-demo>"
      REQUIRED_FILES "${VR_PROGRAM_DIR}/voidraid")
endforeach()
