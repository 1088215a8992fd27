# Builds the manual into OUTPUT: the index VORLA.HLP and the pages in
# OUTPUT/ayuda, with a picture of every example of dibujos.txt and, when
# FORMULAS is on (the tool has its "formula" command only in a build with the
# GUI), its typeset formula, both drawn by the command-line tool CLI. A
# picture that cannot be made never fails the build: its <img> is left out of
# the pages and the build says so. With FIGURES on (the "figure" command, also
# only with the GUI), the page on figures gets one, of the sample ondas.vlx.
#
#   cmake -DSOURCE=data/help -DOUTPUT=build/bin -DWORK=build/manual -DCLI=vorlascope-cli -DFORMULAS=ON -DFIGURES=ON -P BuildManual.cmake
#
# dibujos.txt, one picture a line:  name | page#entry | function | Xmin Xmax Ymin Ymax | Zmin Zmax

set(pictureSize 96x72)
# Type size of the formulas: a little under the text beside them, so that
# three pictures with their formulas fit a row of the gallery.
set(formulaSize 12)
# One gradient for every picture, dark blue at the bottom of the scale to
# yellow at the top, so that a reader can tell high from low.
set(gradient 06600000 5AFF9000 AA60E060 FF00F0FF)
string(REPLACE ";" "" gradient "${gradient}")
# The build has no screen to draw the formulas on.
set(ENV{QT_QPA_PLATFORM} offscreen)
set(pages ${OUTPUT}/ayuda)
file(MAKE_DIRECTORY ${pages}/img ${WORK})
file(COPY_FILE ${SOURCE}/VORLA.HLP ${OUTPUT}/VORLA.HLP ONLY_IF_DIFFERENT)

# Draws PICTURE with the tool's arguments ARGN; when it cannot, says that the
# entry goes without it and why, and adds the picture to `failed`.
function(draw picture what)
  get_filename_component(file ${picture} NAME_WE)
  file(REMOVE ${picture})
  execute_process(COMMAND ${CLI} ${ARGN} -o ${picture}
                  RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
  if(status EQUAL 0 AND EXISTS ${picture})
    return()
  endif()
  file(REMOVE ${picture})
  # Qt's start-up notes come first; the tool's own reason is the last line.
  string(STRIP "${errors}" errors)
  string(REGEX REPLACE ".*\n" "" errors "${errors}")
  if(errors STREQUAL "")
    set(errors "${status}")
  endif()
  message(STATUS "Manual: the entry ${entry} goes without its ${what} (${function}): ${errors}")
  set(failed ${failed} ${file} PARENT_SCOPE)
endfunction()

if(NOT FORMULAS)
  message(STATUS "Manual: the command-line tool has no formula command in this build; the entries go without their formulas")
endif()

file(STRINGS ${SOURCE}/dibujos.txt lines ENCODING UTF-8)
set(failed "")
set(gallery "<tr>\n")
set(shown 0)
foreach(line IN LISTS lines)
  if(line MATCHES "^[ \t]*(#|$)")
    continue()
  endif()
  string(REPLACE "|" ";" fields "${line}")
  list(LENGTH fields count)
  if(NOT count EQUAL 5)
    message(WARNING "Manual: dibujos.txt line without five fields: ${line}")
    continue()
  endif()
  list(TRANSFORM fields STRIP)
  list(GET fields 0 name)
  list(GET fields 1 entry)
  list(GET fields 2 function)
  list(GET fields 3 rectangle)
  list(GET fields 4 scale)
  string(REPLACE " " ";" rectangle "${rectangle}")
  string(REPLACE " " ";" scale "${scale}")
  list(GET rectangle 0 xmin)
  list(GET rectangle 1 xmax)
  list(GET rectangle 2 ymin)
  list(GET rectangle 3 ymax)
  list(GET scale 0 zmin)
  list(GET scale 1 zmax)
  set(document ${WORK}/${name}.vlx)
  file(WRITE ${document} "[Vorlascope]\nFunc=${function}\nXmin=${xmin}\nXmax=${xmax}\nYmin=${ymin}\nYmax=${ymax}\nZmin=${zmin}\nZmax=${zmax}\nColGra=${gradient}\nAni=0\n")
  set(formula ${pages}/img/${name}-formula.png)
  if(FORMULAS)
    draw(${formula} formula formula "${function}" --size ${formulaSize})
  else()
    file(REMOVE ${formula})
    list(APPEND failed ${name}-formula)
  endif()
  # The function as HTML text: comparisons and "&" would read as markup.
  string(REPLACE "&" "&amp;" html "${function}")
  string(REPLACE "<" "&lt;" html "${html}")
  string(REPLACE ">" "&gt;" html "${html}")
  set(caption "<code>${html}</code>")
  if(EXISTS ${formula})
    set(caption "<img src=\"img/${name}-formula.png\" alt=\"${html}\"><br>${caption}")
  endif()
  set(picture ${pages}/img/${name}.png)
  draw(${picture} picture render ${document} --size ${pictureSize})
  if(EXISTS ${picture})
    # Three pictures a row: with their formulas they fill the help window.
    math(EXPR column "${shown} % 3")
    if(shown GREATER 0 AND column EQUAL 0)
      string(APPEND gallery "</tr>\n<tr>\n")
    endif()
    math(EXPR shown "${shown} + 1")
    string(APPEND gallery "<td><a href=\"${entry}\"><img src=\"img/${name}.png\" width=\"96\" height=\"72\"></a><br>${caption}</td>\n")
  endif()
endforeach()

string(APPEND gallery "</tr>")

# The figure page's example, and the tool-bar button that the page on the
# expression fields shows.
set(entry figuras.html)
set(function ondas.vlx)
if(FIGURES)
  draw(${pages}/img/figura.svg figure figure ${SOURCE}/../samples/ondas.vlx --size 320x240)
else()
  file(REMOVE ${pages}/img/figura.svg)
  list(APPEND failed figura)
endif()
file(COPY_FILE ${SOURCE}/../../src/gui/resources/icons/alescribir.svg ${pages}/img/alescribir.svg ONLY_IF_DIFFERENT)

file(GLOB sources ${SOURCE}/*.html ${SOURCE}/*.css)
foreach(source IN LISTS sources)
  get_filename_component(file ${source} NAME)
  file(READ ${source} text)
  foreach(name IN LISTS failed)
    string(REGEX REPLACE "<img[^>]*src=\"img/${name}\\.(png|svg)\"[^>]*>" "" text "${text}")
  endforeach()
  string(REPLACE "<!-- dibujos -->" "${gallery}" text "${text}")
  file(WRITE ${pages}/${file}.new "${text}")
  file(COPY_FILE ${pages}/${file}.new ${pages}/${file} ONLY_IF_DIFFERENT)
  file(REMOVE ${pages}/${file}.new)
endforeach()
