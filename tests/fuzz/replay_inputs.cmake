# Runs the fuzzer FUZZER once over every file named in INPUTS (files, or folders taken with all their
# files; a missing folder counts as empty), as a test: any crash, sanitizer report, leak or hang fails
# it. Folders are listed now, not at configure time, so a crash input dropped into regressions/NAME/
# is replayed at the next ctest run.
set(files "")
foreach(input ${INPUTS})
  if(IS_DIRECTORY ${input})
    file(GLOB_RECURSE found LIST_DIRECTORIES false ${input}/*)
    list(APPEND files ${found})
  elseif(EXISTS ${input})
    list(APPEND files ${input})
  endif()
endforeach()
# Only regular files are inputs: a scenario's home may hold a link to a device or a folder named
# *.ini, there to test the file door, which the fuzzer cannot read as an input.
set(regular "")
foreach(file ${files})
  if(NOT IS_SYMLINK ${file} AND NOT IS_DIRECTORY ${file})
    list(APPEND regular ${file})
  endif()
endforeach()
set(files ${regular})
list(LENGTH files count)
if(count EQUAL 0)
  message(FATAL_ERROR "no inputs to replay in: ${INPUTS}")
endif()
list(SORT files)

# The fuzzer runs in a folder of its own, which is also its temporary folder: what a failing input
# leaves behind stays there, out of the source tree and out of /tmp.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/tmp)
set(ENV{TMPDIR} ${WORK}/tmp)
execute_process(
  COMMAND ${FUZZER} -timeout=60 -rss_limit_mb=2560 ${files}
  WORKING_DIRECTORY ${WORK}
  OUTPUT_VARIABLE out ERROR_VARIABLE out RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed (${status}) on one of ${count} inputs:\n${out}")
endif()
message(STATUS "${count} inputs replayed")
