# Compiles the help pages into Tovihlp.chm, and writes the page about the
# program, which the version dialog opens, with its style sheet.  The pages
# are kept in UTF-8; Japanese HTML Help (language 0x411) reads its pages,
# contents and index as Shift-JIS, so each file is converted.  The CHM's
# pages also get the places where the viewer may wrap a Japanese line
# (BREAKS, the help_breaks tool); the page for a web browser, which wraps
# Japanese by itself, does not.
#
# Expects SOURCE_DIR, WORK_DIR, PAGE_DIR, OUTPUT, CHMCMD, ICONV, BREAKS and
# VERSION; the pages say @TOVI_VERSION@ where the program's version belongs.
file(REMOVE_RECURSE "${WORK_DIR}" "${PAGE_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}" "${PAGE_DIR}")

function(to_shift_jis from to)
  execute_process(COMMAND "${ICONV}" -f UTF-8 -t CP932 "${from}"
                  OUTPUT_FILE "${to}" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    get_filename_component(name "${to}" NAME)
    message(FATAL_ERROR "help: ${name} holds text that Shift-JIS cannot spell")
  endif()
endfunction()

file(GLOB sources "${SOURCE_DIR}/*")
foreach(source IN LISTS sources)
  get_filename_component(name "${source}" NAME)
  file(READ "${source}" text)
  string(REPLACE "@TOVI_VERSION@" "${VERSION}" text "${text}")
  set(utf8 "${WORK_DIR}/${name}.utf8")
  file(WRITE "${utf8}" "${text}")
  if(name STREQUAL "about.html" OR name STREQUAL "tovi.css")
    to_shift_jis("${utf8}" "${PAGE_DIR}/${name}")
  endif()
  if(name MATCHES "\\.html$")
    execute_process(COMMAND "${BREAKS}" "${utf8}" "${utf8}.wrapped" RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "help: could not prepare ${name} for the viewer")
    endif()
    file(RENAME "${utf8}.wrapped" "${utf8}")
  endif()
  to_shift_jis("${utf8}" "${WORK_DIR}/${name}")
  file(REMOVE "${utf8}")
endforeach()

execute_process(COMMAND "${CHMCMD}" tovihlp.hhp WORKING_DIRECTORY "${WORK_DIR}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT rc EQUAL 0 OR NOT EXISTS "${WORK_DIR}/Tovihlp.chm")
  message(FATAL_ERROR "help: chmcmd failed:\n${log}")
endif()
file(COPY_FILE "${WORK_DIR}/Tovihlp.chm" "${OUTPUT}")
