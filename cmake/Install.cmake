# Installing Velmora like a desktop program:
#
#   cmake --install build --prefix ~/.local
#
#   PREFIX/lib/velmora/velmora           the program
#   PREFIX/lib/velmora/velmora-cli       the command-line program (when it is built)
#   PREFIX/lib/velmora/Data/             the presets, read and saved by the program
#   PREFIX/lib/velmora/wpp2019/          the UN tables, when the source tree has them
#   PREFIX/bin/velmora, velmora-cli      relative links to the two programs
#   PREFIX/share/applications/velmora.desktop
#   PREFIX/lib/velmora/velmora-cli-charts  draws velmora-cli's --charts
#   PREFIX/lib/velmora/uninstall.sh      removes all this again (installed-files.txt beside it)
#   PREFIX/share/icons/hicolor/scalable/apps/velmora.svg, .../NxN/apps/velmora.png
#   PREFIX/share/man/man1/velmora.1, velmora-cli.1
#
# The program looks for its presets in the Data folder beside its executable
# and saves them there, so the folder has to stay beside the real file: the
# programs live in a folder of their own and bin/ only links to them (the
# system reports the executable's folder with the links resolved).
# Installing never replaces a preset that is already in Data: the user may
# have saved over it. Only missing presets are copied.

include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/ManPages.cmake)

set(VELMORA_INSTALL_PROGRAM_DIR "lib/velmora" CACHE STRING
    "Folder of the programs and their Data folder, relative to the install prefix")
foreach(dir VELMORA_INSTALL_PROGRAM_DIR CMAKE_INSTALL_BINDIR CMAKE_INSTALL_DATADIR)
  if(IS_ABSOLUTE "${${dir}}")
    message(FATAL_ERROR "${dir} must be relative to the install prefix (the links in bin/ are relative)")
  endif()
endforeach()

set(VELMORA_PROGRAMS velmora)
if(TARGET velmora-cli)
  list(APPEND VELMORA_PROGRAMS velmora-cli)
endif()

# The presets to install come from a folder of their own, generated fresh from
# the tables: the build's bin/Data is the developer's working copy, which the
# program may have saved over.
set(VELMORA_INSTALL_DATA ${PROJECT_BINARY_DIR}/install-data/Data)
set(VELMORA_INSTALL_DATA_STAMP ${PROJECT_BINARY_DIR}/install-data/presets.stamp)
file(GLOB VELMORA_INSTALL_PRESET_TABLES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/presets/*.csv)
add_custom_command(OUTPUT ${VELMORA_INSTALL_DATA_STAMP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${VELMORA_INSTALL_DATA}
  COMMAND make_presets ${PROJECT_SOURCE_DIR}/data/presets ${VELMORA_INSTALL_DATA}
  COMMAND ${CMAKE_COMMAND} -E touch ${VELMORA_INSTALL_DATA_STAMP}
  DEPENDS make_presets ${VELMORA_INSTALL_PRESET_TABLES}
  COMMENT "Presets to install in ${VELMORA_INSTALL_DATA}"
  VERBATIM)
add_custom_target(velmora_install_presets ALL DEPENDS ${VELMORA_INSTALL_DATA_STAMP})

install(TARGETS ${VELMORA_PROGRAMS} RUNTIME DESTINATION ${VELMORA_INSTALL_PROGRAM_DIR})
# velmora-cli draws --charts through velmora-cli-charts, which it looks for
# beside its own file; it needs no link in bin/.
if(TARGET velmora-cli-charts)
  install(TARGETS velmora-cli-charts RUNTIME DESTINATION ${VELMORA_INSTALL_PROGRAM_DIR})
endif()

set(VELMORA_ICON_SIZES 16x16 32x32 48x48 64x64 128x128 256x256)
install(FILES ${PROJECT_SOURCE_DIR}/desktop/velmora.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size ${VELMORA_ICON_SIZES})
  install(FILES ${PROJECT_SOURCE_DIR}/desktop/icons/${size}/velmora.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}/apps)
endforeach()

install(FILES ${VELMORA_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(PROGRAMS ${PROJECT_SOURCE_DIR}/cmake/uninstall.sh DESTINATION ${VELMORA_INSTALL_PROGRAM_DIR})

# The UN tables go beside the programs, where the build puts them too
# (bin/wpp2019) and the command-line program looks for them.
if(IS_DIRECTORY ${PROJECT_SOURCE_DIR}/data/wpp2019)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/wpp2019 DESTINATION ${VELMORA_INSTALL_PROGRAM_DIR})
endif()

# What the install steps below need to know, handed over as variables of the
# install script.
file(RELATIVE_PATH VELMORA_BIN_TO_PROGRAMS /${CMAKE_INSTALL_BINDIR} /${VELMORA_INSTALL_PROGRAM_DIR})
install(CODE "
  set(VELMORA_PROGRAMS \"${VELMORA_PROGRAMS}\")
  set(VELMORA_PROGRAM_DIR \"${VELMORA_INSTALL_PROGRAM_DIR}\")
  set(VELMORA_BIN_DIR \"${CMAKE_INSTALL_BINDIR}\")
  set(VELMORA_BIN_TO_PROGRAMS \"${VELMORA_BIN_TO_PROGRAMS}\")
  set(VELMORA_DATA_SOURCE \"${VELMORA_INSTALL_DATA}\")
  set(VELMORA_DESKTOP_TEMPLATE \"${PROJECT_SOURCE_DIR}/desktop/velmora.desktop.in\")
  set(VELMORA_APPLICATIONS_DIR \"${CMAKE_INSTALL_DATADIR}/applications\")
")

# The presets: copied only where Data lacks them.
install(CODE [[
  set(data "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${VELMORA_PROGRAM_DIR}/Data")
  file(GLOB presets LIST_DIRECTORIES false RELATIVE "${VELMORA_DATA_SOURCE}" "${VELMORA_DATA_SOURCE}/*")
  if(NOT presets)
    message(FATAL_ERROR "No presets in ${VELMORA_DATA_SOURCE}: build the project before installing it")
  endif()
  file(MAKE_DIRECTORY "${data}")
  foreach(name IN LISTS presets)
    if(EXISTS "${data}/${name}" OR IS_SYMLINK "${data}/${name}")
      message(STATUS "Keeping: ${data}/${name}")
    else()
      message(STATUS "Installing: ${data}/${name}")
      file(COPY_FILE "${VELMORA_DATA_SOURCE}/${name}" "${data}/${name}")
      # The manifest names files without DESTDIR, as CMake's own install steps do.
      list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_PREFIX}/${VELMORA_PROGRAM_DIR}/Data/${name}")
    endif()
  endforeach()
]])

# The links in bin/, relative so that the whole prefix can be moved.
install(CODE [[
  set(bin "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${VELMORA_BIN_DIR}")
  file(MAKE_DIRECTORY "${bin}")
  foreach(program IN LISTS VELMORA_PROGRAMS)
    message(STATUS "Linking: ${bin}/${program} -> ${VELMORA_BIN_TO_PROGRAMS}/${program}")
    file(REMOVE "${bin}/${program}")
    file(CREATE_LINK "${VELMORA_BIN_TO_PROGRAMS}/${program}" "${bin}/${program}" SYMBOLIC)
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_PREFIX}/${VELMORA_BIN_DIR}/${program}")
  endforeach()
]])

# The menu entry starts the program by its full path: a user's prefix such as
# ~/.local/bin is often not on the desktop session's search path.
install(CODE [[
  set(program "${CMAKE_INSTALL_PREFIX}/${VELMORA_BIN_DIR}/velmora")
  # Exec takes the path in double quotes, with \ " ` $ escaped by a backslash
  # and % doubled; the entry's own string escaping then doubles every backslash.
  string(REPLACE "\\" "\\\\" exec "${program}")
  string(REPLACE "\"" "\\\"" exec "${exec}")
  string(REPLACE "`" "\\`" exec "${exec}")
  string(REPLACE "$" "\\$" exec "${exec}")
  string(REPLACE "%" "%%" exec "${exec}")
  set(exec "\"${exec}\"")
  string(REPLACE "\\" "\\\\" exec "${exec}")
  string(REPLACE "\\" "\\\\" try_exec "${program}")
  file(READ "${VELMORA_DESKTOP_TEMPLATE}" entry)
  string(REPLACE "@VELMORA_EXEC@" "${exec}" entry "${entry}")
  string(REPLACE "@VELMORA_TRY_EXEC@" "${try_exec}" entry "${entry}")
  set(desktop "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${VELMORA_APPLICATIONS_DIR}/velmora.desktop")
  message(STATUS "Installing: ${desktop}")
  file(WRITE "${desktop}" "${entry}")
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_PREFIX}/${VELMORA_APPLICATIONS_DIR}/velmora.desktop")
]])

# What uninstall.sh removes, relative to the prefix: every file of this
# install, and each shipped preset with its checksum, whether it was copied
# now or kept from an earlier install (install_manifest.txt lists only the
# presets copied this time). Checksums of earlier installs are kept, so that
# a preset shipped by an older version still counts as shipped, not as the
# user's.
install(CODE [[
  set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
  set(list "${root}/${VELMORA_PROGRAM_DIR}/installed-files.txt")
  set(entries "")
  foreach(file IN LISTS CMAKE_INSTALL_MANIFEST_FILES)
    file(RELATIVE_PATH relative "${CMAKE_INSTALL_PREFIX}" "${file}")
    if(NOT relative MATCHES "^\\.\\./" AND NOT relative MATCHES "^${VELMORA_PROGRAM_DIR}/Data/")
      list(APPEND entries "file\t${relative}")
    endif()
  endforeach()
  file(GLOB presets LIST_DIRECTORIES false RELATIVE "${VELMORA_DATA_SOURCE}" "${VELMORA_DATA_SOURCE}/*")
  foreach(name IN LISTS presets)
    file(SHA256 "${VELMORA_DATA_SOURCE}/${name}" sum)
    list(APPEND entries "preset\t${sum}\t${name}")
  endforeach()
  if(EXISTS "${list}")
    file(STRINGS "${list}" earlier REGEX "^preset\t")
    list(APPEND entries ${earlier})
  endif()
  list(REMOVE_DUPLICATES entries)
  list(SORT entries)
  string(REPLACE ";" "\n" text "program-dir\t${VELMORA_PROGRAM_DIR};${entries}")
  message(STATUS "Installing: ${list}")
  file(WRITE "${list}" "${text}\n")
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_PREFIX}/${VELMORA_PROGRAM_DIR}/installed-files.txt")
]])

# Everything that an install copies and the README's examples use, without
# the tests and benchmarks: `cmake --build build --target velmora_programs`
# (scripts/run.sh builds it) is enough for `cmake --install`.
add_custom_target(velmora_programs)
add_dependencies(velmora_programs ${VELMORA_PROGRAMS} velmora_install_presets velmora_data_presets)
foreach(target velmora-cli-charts velmora_wpp_tables velmora_man)
  if(TARGET ${target})
    add_dependencies(velmora_programs ${target})
  endif()
endforeach()
