# An install into a scratch prefix holds everything a desktop and a package
# need: the programs, the manual and samples, the icon, the desktop files,
# the man pages and the completion.
#
#   cmake -DBUILD=build -DPREFIX=/tmp/x -P CheckInstall.cmake

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${errors}")
endif()
foreach(path
    bin/vorlascope
    bin/vorlascope-cli
    share/vorlascope/VORLA.HLP
    share/vorlascope/ayuda/index.html
    share/vorlascope/samples/ondas.vlx
    share/icons/hicolor/scalable/apps/vorlascope.svg
    share/icons/hicolor/48x48/apps/vorlascope.png
    share/icons/hicolor/256x256/apps/vorlascope.png
    share/applications/org.vorlascope.Vorlascope.desktop
    share/mime/packages/vorlascope.xml
    share/metainfo/org.vorlascope.Vorlascope.metainfo.xml
    share/man/man1/vorlascope.1.gz
    share/man/man1/vorlascope-cli.1.gz
    share/bash-completion/completions/vorlascope-cli
    share/doc/vorlascope/copyright
    share/doc/vorlascope/changelog.gz)
  if(NOT EXISTS ${PREFIX}/${path})
    message(SEND_ERROR "the install lacks ${path}")
  endif()
endforeach()
# The desktop entry names the icon the install brings.
file(STRINGS ${PREFIX}/share/applications/org.vorlascope.Vorlascope.desktop icon REGEX "^Icon=")
if(NOT icon STREQUAL "Icon=vorlascope")
  message(SEND_ERROR "the desktop entry's icon is \"${icon}\", not the installed vorlascope")
endif()
file(REMOVE_RECURSE ${PREFIX})
