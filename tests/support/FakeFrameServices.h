#pragma once

#include <utility>
#include <vector>

#include "views/FrameServices.h"

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

  bool running = false;
  int interval = 100;
  bool focusSucceeds = true;  // false: the window asked for is closed
  std::vector<int> requests;
  std::vector<std::pair<int, bool>> menuChecks;
  std::vector<int> focused;
};

}  // namespace velmora::testing
