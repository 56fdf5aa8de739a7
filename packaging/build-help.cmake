# Prepares the guide from its pages in docs/help/, for one of its two readers:
#
#   MODE=pages  the pages the program's help window shows (Linux), in
#               PAGE_DIR: UTF-8, with the contents toc.hhc, the style sheet
#               and the pictures; the version dialog's link opens about.html
#               there on every system.
#   MODE=chm    Tovihlp.chm (OUTPUT), compiled with chmcmd in WORK_DIR, which
#               Windows' HTML Help opens.  Japanese HTML Help (language 0x411)
#               reads its pages, contents and index as Shift-JIS, so those
#               files are converted.
#
# The pages are kept in UTF-8, their paragraphs on several lines; the
# help_lines tool (JOIN) joins each paragraph for both readers, so that no
# line end shows as a space inside Japanese text.  Pictures (.png) are copied
# unchanged.
#
# Expects MODE, SOURCES (the guide's files, relative to SOURCE_DIR),
# SOURCE_DIR, JOIN and VERSION; PAGE_DIR for pages; WORK_DIR, OUTPUT, CHMCMD
# and ICONV for chm.  The pages say @TOVI_VERSION@ where the program's
# version belongs.
if(MODE STREQUAL "pages")
  set(out_dir "${PAGE_DIR}")
elseif(MODE STREQUAL "chm")
  set(out_dir "${WORK_DIR}")
else()
  message(FATAL_ERROR "help: MODE must be pages or chm")
endif()
file(REMOVE_RECURSE "${out_dir}")
file(MAKE_DIRECTORY "${out_dir}")

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
    file(COPY_FILE "${source}" "${out_dir}/${name}")
    continue()
  endif()
  # The help window has its own search and needs no project or index.
  if(MODE STREQUAL "pages" AND name MATCHES "\\.(hhp|hhk)$")
    continue()
  endif()
  file(READ "${source}" text)
  string(REPLACE "@TOVI_VERSION@" "${VERSION}" text "${text}")
  if(MODE STREQUAL "pages")
    string(REPLACE "charset=Shift_JIS" "charset=UTF-8" text "${text}")
  endif()
  set(utf8 "${out_dir}/${name}.utf8")
  file(WRITE "${utf8}" "${text}")
  if(name MATCHES "\\.html$")
    execute_process(COMMAND "${JOIN}" "${utf8}" "${utf8}.joined" RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "help: could not join the paragraphs of ${name}")
    endif()
    file(RENAME "${utf8}.joined" "${utf8}")
  endif()
  if(MODE STREQUAL "pages")
    file(RENAME "${utf8}" "${out_dir}/${name}")
  else()
    to_shift_jis("${utf8}" "${out_dir}/${name}")
    file(REMOVE "${utf8}")
  endif()
endforeach()

if(MODE STREQUAL "chm")
  execute_process(COMMAND "${CHMCMD}" tovihlp.hhp WORKING_DIRECTORY "${WORK_DIR}"
                  RESULT_VARIABLE rc OUTPUT_VARIABLE log ERROR_VARIABLE log)
  if(NOT rc EQUAL 0 OR NOT EXISTS "${WORK_DIR}/Tovihlp.chm")
    message(FATAL_ERROR "help: chmcmd failed:\n${log}")
  endif()
  file(COPY_FILE "${WORK_DIR}/Tovihlp.chm" "${OUTPUT}")
endif()
