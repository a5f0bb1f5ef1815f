# Runs lumatype-cli on one corpus file and compares its output with the
# reviewed golden file byte for byte. With the environment variable
# LUMATYPE_UPDATE_GOLDEN set, the output becomes the new golden file.
#   -DCLI=program -DEMULATOR=runner-or-empty -DCORPUS=dir -DGOLDEN=file
#   -DOUTPUT=file -DARGS=arguments-separated-by-| [-DSTDIN=file-in-corpus]
string(REPLACE "|" ";" arguments "${ARGS}")
set(input_option)
if(STDIN)
  set(input_option INPUT_FILE ${CORPUS}/${STDIN})
endif()
execute_process(COMMAND ${EMULATOR} ${CLI} ${arguments}
  WORKING_DIRECTORY ${CORPUS}
  ${input_option}
  OUTPUT_FILE ${OUTPUT}
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lumatype-cli ${arguments} failed (${status}): ${errors}")
endif()
if(DEFINED ENV{LUMATYPE_UPDATE_GOLDEN})
  file(COPY_FILE ${OUTPUT} ${GOLDEN})
  return()
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${GOLDEN} RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "output ${OUTPUT} differs from ${GOLDEN}")
endif()
