# Proves the layers' include sets: each set compiles a header of its own and
# finds no header of a folder above it or beside it.
# cmake -DCOMPILER=... -DINCLUDE_ROOT=... -DWORK=... -P check_layers.cmake
set(cases
  # set       found                          not found
  "base       base/wide.h                    config/settings.h"
  "config     config/settings.h              engine/language.h"
  "engine     engine/convert.h               app/status_texts.h"
  "engine     engine/convert.h               cli/cli.h"
  "cli        cli/cli.h                      app/startup.h"
  "app        app/startup.h                  cli/cli.h"
  "app        app/startup.h                  controls/slider/slider_logic.h"
  "controls   controls/slider/slider_logic.h base/wide.h")

file(MAKE_DIRECTORY ${WORK})
set(failures "")
function(probe set header result)
  string(MAKE_C_IDENTIFIER "${set}_${header}" stem)
  set(source ${WORK}/${stem}.cpp)
  file(WRITE ${source} "#include \"${header}\"\n")
  execute_process(COMMAND ${COMPILER} -std=c++17 -fsyntax-only -I${INCLUDE_ROOT}/${set} ${source}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  set(${result} "${status}" PARENT_SCOPE)
  set(probe_output "${output}" PARENT_SCOPE)
endfunction()

foreach(case IN LISTS cases)
  string(REGEX REPLACE " +" ";" fields "${case}")
  list(GET fields 0 set)
  list(GET fields 1 found)
  list(GET fields 2 refused)
  probe(${set} ${found} status)
  if(NOT status EQUAL 0)
    string(APPEND failures "${set} cannot include its own ${found}:\n${probe_output}\n")
  endif()
  probe(${set} ${refused} status)
  # Failing for another reason than the missing file would prove nothing.
  if(status EQUAL 0 OR NOT probe_output MATCHES "${refused}: No such file")
    string(APPEND failures "${set} reaches ${refused} (status ${status}):\n${probe_output}\n")
  endif()
endforeach()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
