#pragma once

#include <string>

#include "model/ModelDisplay.h"

namespace velmora::testing {

// A display that shows nothing, for tests that look at the model only.
class QuietDisplay : public ModelDisplay {
 public:
  void ShowMessage(const std::string&, const std::string&) override {}
  void SetControllerLabel(int, const std::string&) override {}
  void SetGraphPenWidth(int) override {}
  void DrawGraphColumn(Int16, const WorldRecord&, HeadCount) override {}
  void ClearPyramid() override {}
  void DrawPyramid(Int16, const WorldRecord&, const CensusRecord&) override {}
  void DrawAgeCircle(const CensusRecord&, const WorldRecord&) override {}
};

}  // namespace velmora::testing
