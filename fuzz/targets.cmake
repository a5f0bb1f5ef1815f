# Every fuzz target: fuzz/<name>.cpp, the libraries it links and the folders
# its seeds come from (each folder's files; fuzz/corpus/<name> is always
# one when it exists). The file that includes this one says what a target
# becomes: a libFuzzer program (fuzz/CMakeLists.txt) or a replay of its
# seeds in the ASan+UBSan suite (fuzz/replay.cmake).

# The seed folders of a target as full paths.
function(lumatype_fuzz_seed_folders variable name)
  set(folders ${ARGN})
  list(TRANSFORM folders PREPEND ${CMAKE_SOURCE_DIR}/)
  if(IS_DIRECTORY ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name})
    list(APPEND folders ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name})
  endif()
  set(${variable} ${folders} PARENT_SCOPE)
endfunction()

lumatype_fuzz_target(fuzz_language_file LIBRARIES lumatype_engine SEEDS data/languages)
lumatype_fuzz_target(fuzz_profile LIBRARIES lumatype_config SEEDS data data/themes tests/config/data/ini)
lumatype_fuzz_target(fuzz_color_value LIBRARIES lumatype_config)
lumatype_fuzz_target(fuzz_highlight LIBRARIES lumatype_engine)
lumatype_fuzz_target(fuzz_code_text LIBRARIES lumatype_engine lumatype_cli_core)
lumatype_fuzz_target(fuzz_table LIBRARIES lumatype_table)
lumatype_fuzz_target(fuzz_options_write_back LIBRARIES lumatype_config)
lumatype_fuzz_target(fuzz_indentation LIBRARIES lumatype_app)
lumatype_fuzz_target(fuzz_rtf_sink LIBRARIES lumatype_app)
lumatype_fuzz_target(fuzz_clipboard_html LIBRARIES lumatype_app)
lumatype_fuzz_target(fuzz_multiselect_text LIBRARIES tessella_logic)
