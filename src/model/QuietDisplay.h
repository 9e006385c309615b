#pragma once

#include <string>
#include <vector>

#include "model/ModelDisplay.h"

namespace velmora {

// The model's display for work without windows (the command line, tests,
// benchmarks): nothing is drawn, and the messages the model would show in a
// box (the population explosion) are kept for the caller to report.
class QuietDisplay final : public ModelDisplay {
 public:
  void ShowMessage(const std::string& text, const std::string& title) override {
    messages_.push_back(title + ": " + text);
  }
  void SetControllerLabel(int, const std::string&) override {}
  void SetGraphPenWidth(int) override {}
  void DrawGraphColumn(Int16, const WorldRecord&, HeadCount) override {}
  void ClearGraph() override {}
  void ClearPyramid() override {}
  void DrawPyramid(Int16, const WorldRecord&, const CensusRecord&) override {}
  void DrawAgeCircle(const CensusRecord&, const WorldRecord&) override {}
  void ClearCircle() override {}

  const std::vector<std::string>& Messages() const { return messages_; }

 private:
  std::vector<std::string> messages_;
};

}  // namespace velmora
