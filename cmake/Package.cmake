# The Debian package: `cpack -G DEB` in the build folder (./vorlascope.sh
# package) writes vorlascope_VERSION_ARCH.deb of what `cmake --install` puts
# under /usr.

set(VORLA_MAINTAINER "Vorlascope maintainers <maintainers@vorlascope.org>"
    CACHE STRING "The package's maintainer, \"Name <address>\"")

# Debian wants the copyright notice and a changelog beside every package.
set(VORLA_PACKAGE_DOC ${PROJECT_BINARY_DIR}/package-doc)
configure_file(${PROJECT_SOURCE_DIR}/data/debian/changelog.in ${VORLA_PACKAGE_DOC}/changelog @ONLY)
add_custom_command(
  OUTPUT ${VORLA_PACKAGE_DOC}/changelog.gz
  COMMAND gzip -9 -n -f -k ${VORLA_PACKAGE_DOC}/changelog
  DEPENDS ${VORLA_PACKAGE_DOC}/changelog
  VERBATIM)
add_custom_target(vorla_package_doc ALL DEPENDS ${VORLA_PACKAGE_DOC}/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright ${VORLA_PACKAGE_DOC}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vorlascope)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorlascope)
set(CPACK_PACKAGE_VENDOR Vorlascope)
set(CPACK_PACKAGE_CONTACT "${VORLA_MAINTAINER}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VORLA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt, libjpeg, libpng, giflib and Highway dependencies, from the binaries.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The formula command draws on Qt's offscreen platform, a plugin the binaries
# do not link against.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
# The synopsis, then the long description: CPack indents its lines and turns
# the empty one into " .".
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "plotter for functions of two variables")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Vorlascope paints a function f(x,y) seen from above: every pixel of the
picture is evaluated and takes the colour its value has in an editable
gradient. Its expression language has Spanish and English function names,
named sub-expressions, conditionals and comparisons.

Around that it offers mouse navigation, palette-cycling animation, filters,
a library of gradients, documents with undo, export as PNG, JPEG, BMP and
GIF, a manual, and the command-line tool vorlascope-cli, which draws
documents as pictures without a window. Its texts are in Spanish.")
include(CPack)
