// The pyramid editor on its narrow host: the gestures become the pyramid's
// menu commands, and the charts after an edit are the frame's business.
#include <gtest/gtest.h>

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "model/ModulePopulation.h"
#include "support/FakeFrameServices.h"
#include "support/RecordingDisplay.h"
#include "support/TestPlatform.h"
#include "views/PyramidEditor.h"
#include "views/PyramidEditorHost.h"
#include "views/PyramidGeometry.h"

namespace velmora::testing {
namespace {

// Records what the editor asks of its window, one line per call.
class RecordingHost final : public PyramidEditorHost {
 public:
  void MenuPeople_Click(int index) override { calls.push_back("people " + std::to_string(index)); }
  void MenuMode_Click(int index) override { calls.push_back("mode " + std::to_string(index)); }
  void MenuBaseScale_Click(int index) override { calls.push_back("base " + std::to_string(index)); }
  void MenuScale_Click(int index) override { calls.push_back("scale " + std::to_string(index)); }
  int CheckedScale() const override { return checkedScale; }
  PyramidGeometry Geometry() const override { return PyramidGeometry(400, 320, 300); }
  void SetInfo(const QString& text) override { info = text.toStdString(); }
  void RedrawEditedRow(int ageClass) override { calls.push_back("row " + std::to_string(ageClass)); }

  int checkedScale = 3;
  std::vector<std::string> calls;
  std::string info;
};

class PyramidEditorHostTest : public ::testing::Test {
 protected:
  TestPlatform platform;
  RecordingDisplay display;
  FakeFrameServices frame;
  std::unique_ptr<ModulePopulation> model = std::make_unique<ModulePopulation>();
  ModulePopulation& m = *model;
  RecordingHost host;
  PyramidEditor editor{host, m, display, frame};
};

TEST_F(PyramidEditorHostTest, ARightClickCyclesTheContentThroughTheMenus) {
  struct Case {
    int content;
    int next;
    std::string command;
  };
  const Case cases[] = {
      {kContentPopulation, kContentBirths, "mode 0"},
      {kContentRelative, kContentBirths, "mode 0"},
      {kContentBirths, kContentDeaths, "mode 1"},
      {kContentDeaths, kContentPopulation, "people 1"},
  };
  for (const Case& c : cases) {
    m.PyramidContent = c.content;
    host.calls.clear();
    editor.MouseDown(2, 0, 10.0f, 10.0f);
    EXPECT_EQ(m.PyramidContent, c.next) << "from " << c.content;
    EXPECT_EQ(host.calls, std::vector<std::string>{c.command}) << "from " << c.content;
  }
}

TEST_F(PyramidEditorHostTest, ReleaseAsksTheFrameForTheChartsAndBeepsWhenTheyFail) {
  struct Case {
    bool clockRunning;
    bool chartsDrawn;  // what the frame answers
    int redraws;
    int beeps;
  };
  const Case cases[] = {{false, true, 1, 0}, {false, false, 1, 1}, {true, true, 0, 0}, {true, false, 0, 0}};
  for (const Case& c : cases) {
    frame.running = c.clockRunning;
    frame.chartsDrawn = c.chartsDrawn;
    frame.redrawsAfterEdit = 0;
    platform.beeps = 0;
    editor.MouseUp(1, 0, 10.0f, 10.0f);
    EXPECT_EQ(frame.redrawsAfterEdit, c.redraws) << c.clockRunning << c.chartsDrawn;
    EXPECT_EQ(platform.beeps, c.beeps) << c.clockRunning << c.chartsDrawn;
    EXPECT_TRUE(host.calls.empty()) << "the window itself is not asked";
  }
}

}  // namespace
}  // namespace velmora::testing
