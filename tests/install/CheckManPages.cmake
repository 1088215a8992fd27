# Every command and option that the programs' --help texts name appears in
# their man pages, and every command answers --help with exit status 0.
#
#   cmake -DCLI=vorlascope-cli -DAPP=vorlascope -DMAN=build/man -P CheckManPages.cmake

# The help text of PROGRAM with ARGN; fails unless it exits 0.
function(help_of out)
  execute_process(COMMAND ${ARGN} --help RESULT_VARIABLE status OUTPUT_VARIABLE text ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(SEND_ERROR "'${ARGN} --help' ended with status ${status}: ${errors}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Every option in TEXT is in the man page PAGE.
function(check_options text page what)
  file(READ ${MAN}/${page}.1 roff)
  string(REPLACE "\\-" "-" roff "${roff}")
  # Brackets would hold CMake's list together: an option is a word after a blank.
  string(REPLACE "[" " " text "${text}")
  string(REGEX MATCHALL "[ \n]--?[a-z]+" options "${text}")
  list(TRANSFORM options STRIP)
  list(REMOVE_DUPLICATES options)
  if(options STREQUAL "")
    message(SEND_ERROR "${what}: --help names no option")
  endif()
  foreach(option IN LISTS options)
    string(FIND "${roff}" "${option}" at)
    if(at EQUAL -1)
      message(SEND_ERROR "${what}: ${option} is not in ${page}(1)")
    endif()
  endforeach()
endfunction()

help_of(appHelp ${APP})
check_options("${appHelp}" vorlascope "vorlascope")

help_of(toolHelp ${CLI})
check_options("${toolHelp}" vorlascope-cli "vorlascope-cli")
# The commands are the lines under "Órdenes:", up to a blank line.
string(REGEX MATCH "Órdenes:\n([^\n]+\n)+" commandLines "${toolHelp}")
string(REGEX MATCHALL "\n  [a-z]+" commands "${commandLines}")
list(TRANSFORM commands REPLACE "^\n  " "")
if(commands STREQUAL "")
  message(SEND_ERROR "vorlascope-cli --help lists no command")
endif()
file(READ ${MAN}/vorlascope-cli.1 roff)
foreach(command IN LISTS commands)
  if(NOT roff MATCHES "\n\\.SS ${command}\n")
    message(SEND_ERROR "the command ${command} has no section in vorlascope-cli(1)")
  endif()
  help_of(commandHelp ${CLI} ${command})
  if(NOT commandHelp MATCHES "^Uso: vorlascope-cli ${command} ")
    message(SEND_ERROR "'vorlascope-cli ${command} --help' prints no usage")
  endif()
  check_options("${commandHelp}" vorlascope-cli "vorlascope-cli ${command}")
endforeach()
