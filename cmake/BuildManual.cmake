# Builds the manual into OUTPUT: the index VORLA.HLP and the pages in
# OUTPUT/ayuda, with a picture of every example of dibujos.txt drawn by the
# command-line tool CLI. A picture that cannot be made never fails the build:
# its <img> is left out of the pages and the build says so.
#
#   cmake -DSOURCE=data/help -DOUTPUT=build/bin -DWORK=build/manual -DCLI=vorlascope-cli -P BuildManual.cmake
#
# dibujos.txt, one picture a line:  name | page#entry | function | Xmin Xmax Ymin Ymax | Zmin Zmax

set(pictureSize 96x72)
# One gradient for every picture, dark blue at the bottom of the scale to
# yellow at the top, so that a reader can tell high from low.
set(gradient 06600000 5AFF9000 AA60E060 FF00F0FF)
string(REPLACE ";" "" gradient "${gradient}")
set(pages ${OUTPUT}/ayuda)
file(MAKE_DIRECTORY ${pages}/img ${WORK})
file(COPY_FILE ${SOURCE}/VORLA.HLP ${OUTPUT}/VORLA.HLP ONLY_IF_DIFFERENT)

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
  set(picture ${pages}/img/${name}.png)
  file(REMOVE ${picture})
  execute_process(COMMAND ${CLI} render ${document} -o ${picture} --size ${pictureSize}
                  RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
  if(status EQUAL 0 AND EXISTS ${picture})
    # Four pictures a row.
    math(EXPR column "${shown} % 4")
    if(shown GREATER 0 AND column EQUAL 0)
      string(APPEND gallery "</tr>\n<tr>\n")
    endif()
    math(EXPR shown "${shown} + 1")
    string(APPEND gallery "<td><a href=\"${entry}\"><img src=\"img/${name}.png\" width=\"96\" height=\"72\"></a><br><code>${function}</code></td>\n")
  else()
    string(STRIP "${errors}" errors)
    if(errors STREQUAL "")
      set(errors "${status}")
    endif()
    message(STATUS "Manual: the entry ${entry} goes without its picture (${function}): ${errors}")
    list(APPEND failed ${name})
  endif()
endforeach()

string(APPEND gallery "</tr>")

file(GLOB sources ${SOURCE}/*.html ${SOURCE}/*.css)
foreach(source IN LISTS sources)
  get_filename_component(file ${source} NAME)
  file(READ ${source} text)
  foreach(name IN LISTS failed)
    string(REGEX REPLACE "<img[^>]*src=\"img/${name}\\.png\"[^>]*>" "" text "${text}")
  endforeach()
  string(REPLACE "<!-- dibujos -->" "${gallery}" text "${text}")
  file(WRITE ${pages}/${file}.new "${text}")
  file(COPY_FILE ${pages}/${file}.new ${pages}/${file} ONLY_IF_DIFFERENT)
  file(REMOVE ${pages}/${file}.new)
endforeach()
