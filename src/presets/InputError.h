#pragma once

#include <stdexcept>

namespace velmora::presets {

// Bad input from the user: a file or a value that cannot be used. The
// message is one line naming the file, the line (where there is one) and
// what is wrong, with every piece of the input in it made safe to print
// (see Shown).
struct InputError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

}  // namespace velmora::presets
