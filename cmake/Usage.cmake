# Usage texts: one file a program or command holds its usage, the source of
# both its --help text and its part of the man page.
#
#   SYNOPSIS                      the arguments after the program's (and command's) name
#   description lines             printed as they are, a paragraph in the man page
#   --option VALUE                an option, with its text on the lines below
#     text of the option          indented by two blanks

# Escapes a line for roff: backslashes and hyphens, and a leading dot or quote.
function(_vorla_roff_line line out)
  string(REPLACE "\\" "\\e" line "${line}")
  string(REPLACE "-" "\\-" line "${line}")
  string(REGEX REPLACE "^([.'])" "\\\\&\\1" line "${line}")
  set(${out} "${line}" PARENT_SCOPE)
endfunction()

function(_vorla_restore variable)
  string(REPLACE "<vorla-sc>" ";" text "${${variable}}")
  string(REPLACE "<vorla-lb>" "[" text "${text}")
  string(REPLACE "<vorla-rb>" "]" text "${text}")
  set(${variable} "${text}" PARENT_SCOPE)
endfunction()

# Reads FILE into PREFIX_SYNOPSIS, PREFIX_DESCRIPTION and PREFIX_OPTIONS (the
# plain texts of --help), PREFIX_ROFF_SYNOPSIS, PREFIX_ROFF_DESCRIPTION and
# PREFIX_ROFF_OPTIONS, and PREFIX_OPTION_NAMES (the options, blank-separated).
function(vorla_read_usage file prefix)
  file(READ ${file} content)
  # Semicolons would split CMake's lists and brackets hold list separators
  # together: keep them out of the way while the text is a list of lines.
  string(REPLACE ";" "<vorla-sc>" content "${content}")
  string(REPLACE "[" "<vorla-lb>" content "${content}")
  string(REPLACE "]" "<vorla-rb>" content "${content}")
  string(REGEX REPLACE "\n$" "" content "${content}")
  string(REPLACE "\n" ";" lines "${content}")
  list(POP_FRONT lines synopsis)
  set(description "")
  set(options "")
  set(roffDescription "")
  set(roffOptions "")
  set(optionNames "")
  foreach(line IN LISTS lines)
    _vorla_restore(line)
    _vorla_roff_line("${line}" roff)
    if(line MATCHES "^-")
      string(APPEND options "  ${line}\n")
      string(APPEND roffOptions ".TP\n.B ${roff}\n")
      string(REGEX MATCH "^[^ ]+" name "${line}")
      string(APPEND optionNames " ${name}")
    elseif(line MATCHES "^  ")
      string(STRIP "${line}" line)
      string(STRIP "${roff}" roff)
      string(APPEND options "      ${line}\n")
      string(APPEND roffOptions "${roff}\n")
    elseif(options STREQUAL "")
      string(APPEND description "${line}\n")
      string(APPEND roffDescription "${roff}\n")
    else()
      message(FATAL_ERROR "${file}: \"${line}\" is neither an option nor its text")
    endif()
  endforeach()
  _vorla_restore(synopsis)
  _vorla_roff_line("${synopsis}" roffSynopsis)
  set(${prefix}_SYNOPSIS "${synopsis}" PARENT_SCOPE)
  set(${prefix}_DESCRIPTION "${description}" PARENT_SCOPE)
  set(${prefix}_OPTIONS "${options}" PARENT_SCOPE)
  set(${prefix}_ROFF_SYNOPSIS "${roffSynopsis}" PARENT_SCOPE)
  set(${prefix}_ROFF_DESCRIPTION "${roffDescription}" PARENT_SCOPE)
  set(${prefix}_ROFF_OPTIONS "${roffOptions}" PARENT_SCOPE)
  string(STRIP "${optionNames}" optionNames)
  set(${prefix}_OPTION_NAMES "${optionNames}" PARENT_SCOPE)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
endfunction()

# One entry of a generated C++ table of usages: {name, synopsis, description, options}.
function(vorla_usage_entry name prefix out)
  set(${out} "{\"${name}\", R\"usage(${${prefix}_SYNOPSIS})usage\", R\"usage(${${prefix}_DESCRIPTION})usage\",\n R\"usage(${${prefix}_OPTIONS})usage\"}" PARENT_SCOPE)
endfunction()
