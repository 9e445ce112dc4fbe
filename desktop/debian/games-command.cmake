# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack on the staged package: moves the command from usr/bin to usr/games, where
# Debian keeps games. The link is relative, so it points into usr/lib/marrowby from either.
set(usr "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
file(MAKE_DIRECTORY "${usr}/games")
file(RENAME "${usr}/bin/marrowby" "${usr}/games/marrowby")
file(GLOB rest "${usr}/bin/*")
if(NOT rest)
    file(REMOVE_RECURSE "${usr}/bin")
endif()
