#pragma once

#include <utility>
#include <vector>

#include "model/ModulePopulation.h"
#include "views/ChartLinks.h"
#include "windows/FrameServices.h"

namespace velmora::testing {

// A frame for windows tested on their own: records what they ask of it and
// reports the world clock as the test sets it.
class FakeFrameServices : public FrameServices {
 public:
  void RequestCommand(Int16 code) override { requests.push_back(code); }
  bool WorldClockRunning() const override { return running; }
  void SetWorldClockInterval(int milliseconds) override { interval = milliseconds; }
  int WorldClockInterval() const override { return interval; }
  void SetWindowMenuCheck(int index, bool checked) override { menuChecks.emplace_back(index, checked); }
  bool FocusWindow(int index) override {
    focused.push_back(index);
    return focusSucceeds;
  }
  // The look-back and the refresh after an edit reach the sibling windows a
  // test has set, as the frame's do.
  void ShowPastYear(Int16 elapsed, const WorldRecord& world, const CensusRecord& census) override {
    pastYears.push_back(elapsed);
    if (model != nullptr && circle != nullptr && pyramid != nullptr) {
      velmora::ShowPastYear(*model, *circle, *pyramid, elapsed, world, census);
    }
  }
  bool RedrawChartsAfterEdit() override {
    ++redrawsAfterEdit;
    if (model == nullptr || graph == nullptr || circle == nullptr) return chartsDrawn;
    return velmora::RedrawChartsAfterEdit(*model, *graph, *circle);
  }

  bool running = false;
  int interval = 100;
  bool focusSucceeds = true;  // false: the window asked for is closed
  std::vector<int> requests;
  std::vector<std::pair<int, bool>> menuChecks;
  std::vector<int> focused;
  std::vector<int> pastYears;
  int redrawsAfterEdit = 0;
  bool chartsDrawn = true;  // the answer without sibling windows
  const ModulePopulation* model = nullptr;
  FormGraph* graph = nullptr;
  FormCircle* circle = nullptr;
  FormPyramid* pyramid = nullptr;
};

}  // namespace velmora::testing
