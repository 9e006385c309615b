#pragma once

#include "model/ModelDisplay.h"

namespace velmora {

class ChildWindows;

// The model's requests, routed to the child windows (open or closed) and to
// the platform's message box.
class FrameDisplay final : public ModelDisplay {
 public:
  explicit FrameDisplay(const ChildWindows& windows) : windows_(windows) {}

  void ShowMessage(const std::string& text, const std::string& title) override;
  void SetControllerLabel(int index, const std::string& caption) override;
  void SetGraphPenWidth(int width) override;
  void DrawGraphColumn(Int16 column, const WorldRecord& world, HeadCount fullScale) override;
  void ClearGraph() override;
  void ClearPyramid() override;
  void DrawPyramid(Int16 content, const WorldRecord& record, const CensusRecord& census) override;
  void DrawAgeCircle(const CensusRecord& census, const WorldRecord& world) override;
  void ClearCircle() override;

 private:
  const ChildWindows& windows_;
};

}  // namespace velmora
