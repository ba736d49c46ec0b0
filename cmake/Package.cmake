# SPDX-FileCopyrightText: 2026 Kotonami contributors
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, made by `cpack -G DEB` from the build tree as it is installed: one version
# for everything, the project's; the libraries it needs found by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME kotonami)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Kotonami developers")
set(CPACK_PACKAGE_CONTACT "The Kotonami developers <kotonami@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "text editor that measures Japanese text")
set(CPACK_PACKAGE_DESCRIPTION
    "Kotonami opens Shift-JIS text files and tells how long the text is: characters under
counting switches, bytes, lines, English words, a census by character type, phrase counts,
glyph coverage and sheets of Japanese manuscript paper. kotonami-count measures files from a
terminal or a script with the same engine.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-ipafont-gothic)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/kotonami/kotonami)
set(CPACK_GENERATOR DEB)
include(CPack)
