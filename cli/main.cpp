// velmora-cli: scripted runs of the population model, its indicators, and
// the preset files in and out as CSV. Plain standard C++ and CLI11: a run
// never loads the GUI library (the charts come from velmora-cli-charts).
#include <CLI/CLI.hpp>
#include <exception>
#include <iostream>
#include <new>

#include "cli/ExitStatus.h"
#include "cli/ExportCommand.h"
#include "cli/ImportCommand.h"
#include "cli/InfoCommand.h"
#include "cli/Output.h"
#include "cli/RunCommand.h"
#include "cli/WppCommand.h"
#include "cli/core/PresetIo.h"
#include "model/Failure.h"
#include "presets/MessageText.h"

namespace {

// Whatever a command ends with, standard output must have taken all of it.
int Finish(int status) {
  if (!velmora::cli::CloseStandardOutput()) {
    std::cerr << "velmora-cli: cannot write to standard output\n";
    return velmora::cli::kExitBadInput;
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace velmora::cli;
  velmora::presets::RemoveTemporariesOnSignals();
  CLI::App app("velmora-cli: population-ageing runs, indicators and preset files from the command line.",
               "velmora-cli");
  app.set_version_flag("--version", std::string("velmora-cli ") + VELMORA_VERSION);
  app.require_subcommand(1, 1);
  app.fallthrough();  // --version after a subcommand too
  app.footer(
      "FILE is a preset file of the desktop program (.stp population, .brf rates) or a CSV table in the formats "
      "of data/presets, chosen by the extension (export reads the preset files only).\n" +
      std::string(kExitStatusHelp));
  AddRunCommand(app);
  AddInfoCommand(app);
  AddImportCommand(app);
  AddExportCommand(app);
  AddWppCommand(app);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    // --help and --version
    if (error.get_exit_code() == 0) return Finish(app.exit(error));
    // The message may quote what was typed: escaped, it stays one line.
    std::cerr << "velmora-cli: " << velmora::presets::Shown(error.what(), 400)
              << "\nRun with --help for more information.\n";
    return kExitUsage;
  } catch (const InputError& error) {
    std::cerr << "velmora-cli: " << error.what() << "\n";
    return kExitBadInput;
  } catch (const CommandExit& exit) {
    return Finish(exit.status);
  } catch (const std::bad_alloc&) {
    std::cerr << "velmora-cli: out of memory\n";
    return kExitBadInput;
  } catch (const velmora::Failure& failure) {
    // The model's own checks: the input led somewhere the model cannot go.
    std::cerr << "velmora-cli: the model refused the input (failure " << failure.code << ")\n";
    return kExitBadInput;
  } catch (const std::exception& error) {
    std::cerr << "velmora-cli: " << velmora::presets::Shown(error.what(), 400) << "\n";
    return kExitBadInput;
  }
  return Finish(kExitOk);
}
