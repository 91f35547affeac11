# Replays the fuzzing seed corpus with any compiler: each target's LLVMFuzzerTestOneInput gets
# every file of its seed folder once, as a CTest test.
include(${PROJECT_SOURCE_DIR}/fuzz/targets.cmake)
foreach(target ${TARELINK_FUZZ_TARGETS})
  tarelink_fuzz_corpus(${target} corpus)
  add_executable(replay_${target} ${TARELINK_FUZZ_DIR}/fuzz_${target}.cpp ${TARELINK_FUZZ_DIR}/ReplayCorpus.cpp)
  target_include_directories(replay_${target} PRIVATE ${TARELINK_FUZZ_DIR})
  target_link_libraries(replay_${target} PRIVATE tarelink_core tarelink_flags)
  add_test(NAME fuzz/replay_${target} COMMAND replay_${target} ${corpus})
  set_tests_properties(fuzz/replay_${target} PROPERTIES TIMEOUT 300)
endforeach()
