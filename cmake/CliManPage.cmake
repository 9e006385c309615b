# velmora-cli(1) from the program's help: help2man turns the main --help into
# the page, and every subcommand's --help becomes a subsection of COMMANDS.
#   cmake -DCLI=... -DHELP2MAN=... -DVERSION=... -DOUTPUT=... -P CliManPage.cmake
get_filename_component(folder ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
set(include_file ${OUTPUT}.h2m)
set(text "[COMMANDS]\nEvery command takes --help.\n")
foreach(command run info import export "wpp list" "wpp preset")
  separate_arguments(words UNIX_COMMAND "${command}")
  execute_process(COMMAND ${CLI} ${words} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${CLI} ${command} --help failed (${status})")
  endif()
  # The defaults that name the build's own folder name the installed one.
  get_filename_component(cli_folder ${CLI} DIRECTORY)
  string(REPLACE "${cli_folder}/" "PREFIX/lib/velmora/" help "${help}")
  # Backslashes escaped, a line that starts with a control character kept
  # as text; the option lists (indented) kept as they are, the prose between
  # them filled to the reader's width.
  string(REPLACE "\\" "\\e" help "${help}")
  string(REPLACE "-" "\\-" help "${help}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
  string(REPLACE ";" "@SEMICOLON@" help "${help}")
  string(REPLACE "\n" ";" lines "${help}")
  string(APPEND text ".SS \"velmora-cli ${command}\"\n")
  set(verbatim OFF)
  foreach(line IN LISTS lines)
    if(line MATCHES "^ ")
      if(NOT verbatim)
        string(APPEND text ".nf\n")
        set(verbatim ON)
      endif()
    elseif(verbatim)
      string(APPEND text ".fi\n")
      set(verbatim OFF)
    endif()
    if(line MATCHES "^Usage:")
      string(APPEND text ".br\n${line}\n")
    elseif(line STREQUAL "")
      string(APPEND text ".PP\n")
    else()
      string(APPEND text "${line}\n")
    endif()
  endforeach()
  if(verbatim)
    string(APPEND text ".fi\n")
  endif()
  string(REPLACE "@SEMICOLON@" ";" text "${text}")
endforeach()
string(APPEND text "[FILES]\n"
  ".TP\n.I PREFIX/lib/velmora/wpp2019/\nThe UN tables that \\fBwpp\\fR reads (beside the program).\n"
  ".TP\n.I PREFIX/lib/velmora/Data/\nThe desktop program's presets, which \\fB\\-\\-slot\\fR writes.\n"
  ".TP\n.I PREFIX/lib/velmora/velmora\\-cli\\-charts\nDraws the pictures of \\fBrun \\-\\-charts\\fR.\n"
  "[SEE ALSO]\n.BR velmora (1)\n")
file(WRITE ${include_file} "${text}")
execute_process(
  COMMAND ${HELP2MAN} --no-info --no-discard-stderr --version-string=${VERSION} --section=1
          "--name=run the Velmora population model without windows" --include=${include_file}
          --output=${OUTPUT}.tmp ${CLI}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "help2man failed (${status})")
endif()
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
