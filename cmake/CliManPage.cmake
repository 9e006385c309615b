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
  # Shown as it is: backslashes escaped, a line that starts with a control
  # character kept as text.
  string(REPLACE "\\" "\\e" help "${help}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
  string(APPEND text ".SS \"velmora-cli ${command}\"\n.nf\n${help}.fi\n")
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
