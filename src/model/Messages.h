#pragma once

#include <string>

#include "model/ModelDisplay.h"
#include "model/ModulePopulation.h"

namespace velmora {

// The census's two message boxes (exclamation icon, OK button).
inline constexpr const char* kExplosionText = "人口が爆発しました。";
inline constexpr const char* kExplosionTitle = "人口爆発";
inline constexpr const char* kUnexpectedErrorPrefix = "予期せぬエラー(";
inline constexpr const char* kUnexpectedErrorTitle = "想定外の故障";

// Shows the population-explosion message and sets m.Exploded = 1, so that the
// run stops after this year.
void ReportExplosion(ModulePopulation& m, ModelDisplay& display);

// The unexpected-error text for a failure code, e.g. "...(9)".
std::string UnexpectedErrorText(int code);

}  // namespace velmora
