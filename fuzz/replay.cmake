# The ASan+UBSan suite replays every fuzz target's seeds: the target's entry,
# built here with the sanitizers, is linked with a driver that hands it each
# seed file as libFuzzer would. libFuzzer's FuzzedDataProvider is a plain
# header that clang ships among its own versions of the C headers: only it
# is linked into an include folder of this tree.
file(GLOB LUMATYPE_FUZZED_DATA_PROVIDER /usr/lib/llvm-*/lib/clang/*/include/fuzzer/FuzzedDataProvider.h)
if(NOT LUMATYPE_FUZZED_DATA_PROVIDER)
  message(FATAL_ERROR "fuzz replays need clang's fuzzer/FuzzedDataProvider.h (make setup installs clang)")
endif()
list(GET LUMATYPE_FUZZED_DATA_PROVIDER 0 provider)
set(LUMATYPE_FUZZ_PROVIDER_ROOT ${CMAKE_BINARY_DIR}/include/fuzz-provider)
file(MAKE_DIRECTORY ${LUMATYPE_FUZZ_PROVIDER_ROOT}/fuzzer)
file(CREATE_LINK ${provider} ${LUMATYPE_FUZZ_PROVIDER_ROOT}/fuzzer/FuzzedDataProvider.h SYMBOLIC)

function(lumatype_fuzz_target name)
  cmake_parse_arguments(FUZZ "" "" "LIBRARIES;SEEDS" ${ARGN})
  add_executable(${name}_replay ${CMAKE_SOURCE_DIR}/fuzz/${name}.cpp ${CMAKE_SOURCE_DIR}/fuzz/replay_main.cpp)
  target_link_libraries(${name}_replay PRIVATE ${FUZZ_LIBRARIES})
  target_include_directories(${name}_replay PRIVATE ${LUMATYPE_INCLUDE_ROOT}/tests)
  target_include_directories(${name}_replay SYSTEM PRIVATE ${LUMATYPE_FUZZ_PROVIDER_ROOT})
  lumatype_fuzz_seed_folders(folders ${name} ${FUZZ_SEEDS})
  add_test(NAME ${name}_replay COMMAND ${name}_replay ${folders})
  set_tests_properties(${name}_replay PROPERTIES TIMEOUT 300)
endfunction()

include(${CMAKE_SOURCE_DIR}/fuzz/targets.cmake)
