#pragma once

#include <string>
#include <vector>

#include "model/ModelDisplay.h"

namespace velmora::testing {

// The box the model shows when a figure leaves its range, as recorded.
inline const std::string kExplosion = "message 人口が爆発しました。 / 人口爆発";

inline HeadCount Persons(int64_t n) { return HeadCount::FromPersons(n); }

// Records every call the model makes on the windows, in order, as one line of
// text each, e.g. "label 1 2,072 " or "column 5 100000000".
class RecordingDisplay : public ModelDisplay {
 public:
  void ShowMessage(const std::string& text, const std::string& title) override {
    calls.push_back("message " + text + " / " + title);
  }
  void SetControllerLabel(int index, const std::string& caption) override {
    calls.push_back("label " + std::to_string(index) + " " + caption);
  }
  void SetGraphPenWidth(int width) override { calls.push_back("pen " + std::to_string(width)); }
  void DrawGraphColumn(Int16 column, const WorldRecord& world, HeadCount fullScale) override {
    calls.push_back("column " + std::to_string(int{column}) + " " + std::to_string(FloorPersons(fullScale)));
    lastGraphWorld = world;
  }
  void ClearGraph() override { calls.push_back("clear graph"); }
  void ClearPyramid() override { calls.push_back("clear pyramid"); }
  void ClearCircle() override { calls.push_back("clear circle"); }
  void DrawPyramid(Int16 content, const WorldRecord& record, const CensusRecord& census) override {
    calls.push_back("pyramid " + std::to_string(int{content}));
    lastPyramidWorld = record;
    lastPyramidCensus = census;
  }
  void DrawAgeCircle(const CensusRecord& census, const WorldRecord& /*world*/) override {
    calls.push_back("circle");
    lastCircleCensus = census;
  }

  std::vector<std::string> calls;
  WorldRecord lastGraphWorld;
  WorldRecord lastPyramidWorld;
  CensusRecord lastPyramidCensus;
  CensusRecord lastCircleCensus;
};

}  // namespace velmora::testing
