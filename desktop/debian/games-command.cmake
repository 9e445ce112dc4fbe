# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack on the staged package: moves the program folder from usr/lib to
# usr/lib/games and the command from usr/bin to usr/games, where Debian keeps games (and
# where the sound module is no library for the system's linker to list).
set(usr "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
file(MAKE_DIRECTORY "${usr}/lib/games" "${usr}/games")
file(RENAME "${usr}/lib/marrowby" "${usr}/lib/games/marrowby")
file(REMOVE "${usr}/bin/marrowby")
file(CREATE_LINK ../lib/games/marrowby/marrowby "${usr}/games/marrowby" SYMBOLIC)
file(GLOB rest "${usr}/bin/*")
if(NOT rest)
    file(REMOVE_RECURSE "${usr}/bin")
endif()
