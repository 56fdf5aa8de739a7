# Compiles the help pages into Tovihlp.chm.  The pages are kept in UTF-8;
# Japanese HTML Help (language 0x411) reads its pages, contents and index as
# Shift-JIS, so each file is converted before the compiler runs.
#
# Expects SOURCE_DIR, WORK_DIR, OUTPUT, CHMCMD, ICONV and VERSION; the pages
# say @TOVI_VERSION@ where the program's version belongs.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
file(GLOB sources "${SOURCE_DIR}/*")
foreach(source IN LISTS sources)
  get_filename_component(name "${source}" NAME)
  file(READ "${source}" text)
  string(REPLACE "@TOVI_VERSION@" "${VERSION}" text "${text}")
  file(WRITE "${WORK_DIR}/${name}.utf8" "${text}")
  execute_process(COMMAND "${ICONV}" -f UTF-8 -t CP932 "${WORK_DIR}/${name}.utf8"
                  OUTPUT_FILE "${WORK_DIR}/${name}" RESULT_VARIABLE rc)
  file(REMOVE "${WORK_DIR}/${name}.utf8")
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "help: ${name} holds text that Shift-JIS cannot spell")
  endif()
endforeach()
execute_process(COMMAND "${CHMCMD}" tovihlp.hhp WORKING_DIRECTORY "${WORK_DIR}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT rc EQUAL 0 OR NOT EXISTS "${WORK_DIR}/Tovihlp.chm")
  message(FATAL_ERROR "help: chmcmd failed:\n${log}")
endif()
file(COPY_FILE "${WORK_DIR}/Tovihlp.chm" "${OUTPUT}")
