# The fuzz targets, each with the seed corpus it starts from (fuzz/corpus/<folder>/).
set(TARELINK_FUZZ_DIR ${PROJECT_SOURCE_DIR}/fuzz)
set(TARELINK_FUZZ_TARGETS reader device_read entry_line rule_line ticket_data reply_framing ticket_source print_cut
  handheld_list handheld_file id_records)
set(TARELINK_FUZZ_CORPUS_device_read reader)

# The seed folder of a fuzz target.
function(tarelink_fuzz_corpus target out)
  if(DEFINED TARELINK_FUZZ_CORPUS_${target})
    set(${out} ${TARELINK_FUZZ_DIR}/corpus/${TARELINK_FUZZ_CORPUS_${target}} PARENT_SCOPE)
  else()
    set(${out} ${TARELINK_FUZZ_DIR}/corpus/${target} PARENT_SCOPE)
  endif()
endfunction()
