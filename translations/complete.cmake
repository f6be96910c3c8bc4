# cmake -P: brings copies of the .ts and .po files up to date with the
# sources and resources/glyphery.1 as they are now, as `make translations`
# would, and checks that every text in them is translated. Lists come
# joined with "|". See CMakeLists.txt here for the variables.
foreach(list SOURCES TS_FILES LUPDATE_OPTIONS)
  string(REPLACE "|" ";" ${list} "${${list}}")
endforeach()
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/translations/man)
set(copies)
foreach(ts ${TS_FILES})
  file(COPY ${SOURCE_DIR}/${ts} DESTINATION ${WORK_DIR}/translations)
  list(APPEND copies ${WORK_DIR}/${ts})
endforeach()
file(GLOB po_files ${SOURCE_DIR}/translations/man/*.po ${SOURCE_DIR}/translations/man/*.pot)
file(COPY ${po_files} DESTINATION ${WORK_DIR}/translations/man)

execute_process(COMMAND ${LUPDATE} ${LUPDATE_OPTIONS} ${SOURCES} -ts ${copies}
  WORKING_DIRECTORY ${SOURCE_DIR} OUTPUT_VARIABLE out ERROR_VARIABLE out RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${status}):\n${out}")
endif()
execute_process(COMMAND ${PO4A} --no-translations --srcdir ${SOURCE_DIR} --destdir ${WORK_DIR} ${PO4A_CONFIG}
  OUTPUT_VARIABLE out ERROR_VARIABLE out RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "po4a failed (${status}):\n${out}")
endif()

file(GLOB po_copies ${WORK_DIR}/translations/man/*.po)
execute_process(COMMAND ${CHECK} ${copies} ${po_copies} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "Texts of the sources or the man page are not translated yet: `make translations`, then "
                      "translate them in translations/ (the lines above name them).")
endif()
