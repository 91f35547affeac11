# Replays the fuzzing seed corpus with any compiler: each target's LLVMFuzzerTestOneInput gets
# every file of fuzz/corpus/<target>/ once, as a CTest test.
set(TARELINK_FUZZ_DIR ${PROJECT_SOURCE_DIR}/fuzz)
foreach(target reader entry_line rule_line handheld_list handheld_file id_records)
  add_executable(replay_${target} ${TARELINK_FUZZ_DIR}/fuzz_${target}.cpp ${TARELINK_FUZZ_DIR}/ReplayCorpus.cpp)
  target_include_directories(replay_${target} PRIVATE ${TARELINK_FUZZ_DIR})
  target_link_libraries(replay_${target} PRIVATE tarelink_core tarelink_flags)
  add_test(NAME fuzz/replay_${target} COMMAND replay_${target} ${TARELINK_FUZZ_DIR}/corpus/${target})
  set_tests_properties(fuzz/replay_${target} PROPERTIES TIMEOUT 300)
endforeach()
