# Stages one release folder and packs it into a zip whose single top folder
# carries the archive's name, so unpacking never scatters files.
#   -DBIN=dir with the built programs and shipped data  -DREADME=template
#   -DVERSION=x.y.z  -DNAME=lumatype-x.y.z-win32  -DSTAGE=dir  -DARCHIVE=zip
set(folder ${STAGE}/${NAME})
file(REMOVE_RECURSE ${folder})
file(MAKE_DIRECTORY ${folder})
file(COPY ${BIN}/Lumatype.exe ${BIN}/Tessella.dll ${BIN}/lumatype-cli.exe ${BIN}/Lumatype.ini
          ${BIN}/languages ${BIN}/themes
     DESTINATION ${folder})
# Windows users open it in Notepad: CR LF line ends, and the template's
# byte-order mark so that older Notepads read the Chinese as UTF-8.
configure_file(${README} ${folder}/README.txt @ONLY NEWLINE_STYLE CRLF)
get_filename_component(archive_dir ${ARCHIVE} DIRECTORY)
file(MAKE_DIRECTORY ${archive_dir})
file(REMOVE ${ARCHIVE})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ARCHIVE} --format=zip ${NAME}
  WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "could not write ${ARCHIVE}")
endif()
message(STATUS "Release archive: ${ARCHIVE}")
