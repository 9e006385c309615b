#pragma once

namespace velmora::cli {

// The exit statuses of velmora-cli (listed in --help and the README).
enum ExitStatus : int {
  kExitOk = 0,
  kExitBadInput = 1,  // a file or value that cannot be used; nothing written
  kExitUsage = 2,     // the command line itself: unknown option, missing option, ...
  kExitDiedOut = 3,   // run: the population died out before the last year
  kExitExploded = 4,  // run: the population exploded; the years before it are written
};

// The exit statuses as --help lists them.
inline constexpr const char* kExitStatusHelp =
    "Exit status: 0 done; 1 bad input (a file or value that cannot be used; nothing is written); 2 usage error; "
    "3 run: the population died out (the years up to then are written); 4 run: the population exploded (the "
    "years before it are written).";

// Thrown by a command that has done its work but must end with a status
// other than 0 (its message is on stderr already).
struct CommandExit {
  int status;
};

}  // namespace velmora::cli
