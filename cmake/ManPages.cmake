# The manual pages: velmora(1) is written by hand (docs/man/velmora.1);
# velmora-cli(1) is made from the program's own --help at build time, so that
# it always says what the program accepts. Both go to share/man/man1.
find_program(VELMORA_HELP2MAN help2man)
set(VELMORA_MAN_DIR ${PROJECT_BINARY_DIR}/man)
set(VELMORA_MAN_PAGES ${PROJECT_SOURCE_DIR}/docs/man/velmora.1)
if(TARGET velmora-cli AND VELMORA_HELP2MAN)
  set(page ${VELMORA_MAN_DIR}/velmora-cli.1)
  add_custom_command(OUTPUT ${page}
    COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:velmora-cli> -DHELP2MAN=${VELMORA_HELP2MAN}
            -DVERSION=${PROJECT_VERSION} -DOUTPUT=${page} -P ${PROJECT_SOURCE_DIR}/cmake/CliManPage.cmake
    DEPENDS velmora-cli ${PROJECT_SOURCE_DIR}/cmake/CliManPage.cmake
    COMMENT "Manual page ${page}"
    VERBATIM)
  add_custom_target(velmora_man ALL DEPENDS ${page})
  # The install test installs this build: the page must exist by then.
  if(TARGET install_test)
    add_dependencies(install_test velmora_man)
  endif()
  list(APPEND VELMORA_MAN_PAGES ${page})
elseif(TARGET velmora-cli)
  message(WARNING "help2man not found (scripts/deps.sh installs it): velmora-cli(1) is not made nor installed")
endif()
