# Compiles the help pages into Tovihlp.chm, and writes the page about the
# program, which the version dialog opens in a web browser, with its style
# sheet.  The pages are kept in UTF-8, their paragraphs on several lines;
# the help_breaks tool (BREAKS) joins each paragraph and, for the CHM viewer,
# marks where it may wrap a Japanese line (a browser wraps by itself).
# Japanese HTML Help (language 0x411) reads its pages, contents and index as
# Shift-JIS, so the CHM's files are converted; the browser's page stays UTF-8.
#
# Pictures (.png) are copied unchanged.
#
# Expects SOURCES (the guide's files, relative to SOURCE_DIR), SOURCE_DIR,
# WORK_DIR, PAGE_DIR, OUTPUT, CHMCMD, ICONV, BREAKS and VERSION; the pages say
# @TOVI_VERSION@ where the program's version belongs.
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

foreach(listed IN LISTS SOURCES)
  set(source "${SOURCE_DIR}/${listed}")
  get_filename_component(name "${source}" NAME)
  # Pictures go in as they are.
  if(name MATCHES "\\.png$")
    file(COPY_FILE "${source}" "${WORK_DIR}/${name}")
    continue()
  endif()
  file(READ "${source}" text)
  string(REPLACE "@TOVI_VERSION@" "${VERSION}" text "${text}")
  set(utf8 "${WORK_DIR}/${name}.utf8")
  file(WRITE "${utf8}" "${text}")
  if(name STREQUAL "tovi.css")
    file(COPY_FILE "${utf8}" "${PAGE_DIR}/${name}")
  elseif(name STREQUAL "about.html")
    string(REPLACE "charset=Shift_JIS" "charset=UTF-8" page "${text}")
    file(WRITE "${utf8}.page" "${page}")
    execute_process(COMMAND "${BREAKS}" --join-only "${utf8}.page" "${PAGE_DIR}/${name}"
                    RESULT_VARIABLE rc)
    file(REMOVE "${utf8}.page")
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "help: could not prepare ${name} for the browser")
    endif()
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
