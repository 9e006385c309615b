#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora::presets {

// A piece of input as a message may show it: control bytes, DEL and bytes
// that are not valid UTF-8 written as \xHH (a backslash as \\), so that the
// message stays one line and cannot drive the terminal; cut after about
// `limit` characters with "..." and the number of bytes left out.
std::string Shown(std::string_view raw, std::size_t limit = 40);
// Shown, in double quotes: a cell, a name, a number as typed.
std::string Quoted(std::string_view raw, std::size_t limit = 40);
// A path: escaped the same way, cut only when absurdly long.
std::string ShownPath(std::string_view path);

}  // namespace velmora::presets
