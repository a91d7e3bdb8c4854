# Measurements of the sound path (start-up, PlaySound, latency, CPU); prints its figures.
add_executable(sound_measure ${CMAKE_CURRENT_LIST_DIR}/sound_measure.cpp)
target_link_libraries(sound_measure PRIVATE vr_sound vr_mixer)
target_compile_definitions(sound_measure PRIVATE VR_PROGRAM_DIR="${VR_PROGRAM_DIR}")
set_target_properties(sound_measure PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
add_dependencies(sound_measure sound_files)
