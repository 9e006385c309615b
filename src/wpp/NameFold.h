#pragma once

#include <string>
#include <string_view>

namespace velmora::wpp {

// A name or a query as a search compares it: surrounding spaces (ASCII and
// the ideographic space) dropped, letters in lower case, Latin accents
// dropped ("Côte" -> "cote", "Straße" -> "strasse"), full-width ASCII made
// plain ("ＵＳＡ" -> "usa"). Any other text, Japanese included, and bytes
// that are not UTF-8 stay as they are.
std::string FoldName(std::string_view text);

// Whether `part`, folded, occurs in `name`, folded. An empty part matches.
bool FoldedContains(std::string_view name, std::string_view part);

}  // namespace velmora::wpp
