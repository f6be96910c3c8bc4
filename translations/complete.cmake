# cmake -P: brings copies of the .ts and .po files up to date with the
# sources and resources/glyphery.1 as they are now, as `make translations`
# would, and checks that every text in them is translated. Lists come
# joined with "|". See CMakeLists.txt here for the variables.
foreach(list SOURCES TS_FILES LUPDATE_OPTIONS)
  string(REPLACE "|" ";" ${list} "${${list}}")
endforeach()
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/translations/man)

# The check refuses each kind of unfinished text, one by one: unfinished,
# empty, a placeholder lost, vanished; fuzzy and empty in a .po file.
file(WRITE ${WORK_DIR}/faulty.ts [[<?xml version="1.0" encoding="utf-8"?>
<TS version="2.1" language="fr_FR"><context><name>c</name>
<message><source>a</source><translation type="unfinished">a</translation></message>
<message><source>b</source><translation></translation></message>
<message><source>%1 c</source><translation>c</translation></message>
<message><source>d</source><translation type="vanished">d</translation></message>
<message><source>%1 e %2</source><translation>%2 é %1</translation></message>
</context></TS>
]])
file(WRITE ${WORK_DIR}/faulty.po [[msgid ""
msgstr "Content-Type: text/plain; charset=UTF-8
"

#, fuzzy, no-wrap
msgid "f"
msgstr "f"

msgid ""
"g"
msgstr ""

msgid "h"
msgstr ""
"h"
]])
execute_process(COMMAND ${CHECK} ${WORK_DIR}/faulty.ts ${WORK_DIR}/faulty.po ERROR_VARIABLE said RESULT_VARIABLE status)
if(status EQUAL 0 OR NOT said MATCHES "\n6 texts without a finished translation\n$")
  message(FATAL_ERROR "check_translations does not refuse the six unfinished texts (status ${status}):\n${said}")
endif()
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
