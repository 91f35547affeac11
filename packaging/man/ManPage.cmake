# Writes a man page from a program's own --help, so the page never disagrees with the program.
#   cmake -DPROGRAM=<path> -DNAME=<name> -DSUMMARY=<one line> -DVERSION=<v> -DDATE=<yyyy-mm-dd>
#         [-DEXTRA=<troff file appended>] -DOUT=<file> -P ManPage.cmake
execute_process(COMMAND "${PROGRAM}" --help
  OUTPUT_VARIABLE help ERROR_VARIABLE help_err RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR help STREQUAL "")
  message(FATAL_ERROR "${PROGRAM} --help failed (${result}): ${help_err}")
endif()
# Usage lines name the program as it was started; the page names it as installed.
string(REPLACE "${PROGRAM}" "${NAME}" help "${help}")
# troff: a backslash prints as \e, a minus as \-, and a line may not start with a control character.
string(REPLACE "\\" "\\e" help "${help}")
string(REPLACE "-" "\\-" help "${help}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
string(TOUPPER "${NAME}" title)
set(page ".TH ${title} 1 \"${DATE}\" \"Tarelink ${VERSION}\" \"User Commands\"\n")
string(APPEND page ".SH NAME\n${NAME} \\- ${SUMMARY}\n")
string(APPEND page ".SH DESCRIPTION\n.nf\n${help}.fi\n")
if(EXTRA)
  file(READ "${EXTRA}" extra)
  string(APPEND page "${extra}")
endif()
file(WRITE "${OUT}" "${page}")
