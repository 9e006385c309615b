#pragma once

// The pyramid window on the offscreen screen, with a fake frame, a recording
// model display and the test platform, for the display and editor tests.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QWindow>
#include <memory>
#include <utility>
#include <vector>

#include "model/Census.h"
#include "support/FakeFrameServices.h"
#include "support/RecordingDisplay.h"
#include "support/TestPlatform.h"
#include "views/FormPyramid.h"

namespace velmora::testing {

using FakeFrame = FakeFrameServices;

// Client 400 x 320: W = 400, H = 300, so every five-year row is 15 pixels
// high (class c from y = 305 - 15c to 320 - 15c) and every single-age row 3.
class PyramidWindowTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 400;
  static constexpr int kHeight = 320;

  PyramidWindowTest() : model_(std::make_unique<ModulePopulation>()), m(*model_) {
    // What the main window and the controller set when they load.
    m.StartYear = 2000;
    m.BaseScale = HeadCount::FromPersons(10);
    m.FullScale = HeadCount::FromPersons(100'000);
    m.Capacity = HeadCount::FromPersons(100'000'000);
    form = std::make_unique<FormPyramid>(m, display, frame);
    form->resize(kWidth, kHeight);
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    m.BarBaseX = m.ViewSize[2] / 2.0f;
  }

  // The middle of the row of a five-year class.
  static int RowY(int ageClass) { return kHeight - 15 * ageClass - 8; }

  void Census() { TakeCensus(m.Census, m.World, m, display); }
  void Redraw() { form->DrawPyramid(m.PyramidContent, m.World, m.Census); }

  QWindow* Window() const { return form->windowHandle(); }
  void Press(Qt::MouseButton button, QPoint at, Qt::KeyboardModifiers keys = {}) {
    QTest::mousePress(Window(), button, keys, at);
  }
  void Move(QPoint at) { QTest::mouseMove(Window(), at); }
  void Release(Qt::MouseButton button, QPoint at, Qt::KeyboardModifiers keys = {}) {
    QTest::mouseRelease(Window(), button, keys, at);
  }
  // A left drag from one point to another, released there.
  void Drag(QPoint from, QPoint to) {
    Press(Qt::LeftButton, from);
    Move(to);
    Release(Qt::LeftButton, to);
  }
  // A move at a position between pixels, as a pointing device may report it.
  void MoveExactly(QPointF at, Qt::MouseButtons held) {
    QMouseEvent event(QEvent::MouseMove, at, form->mapToGlobal(at), Qt::NoButton, held, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &event);
  }

  int Pixel(int x, int y) const { return form->Picture().PixelAt(x, y); }
  std::string Info() const { return form->LabelInfo()->text().toStdString(); }

  TestPlatform platform;
  RecordingDisplay display;
  FakeFrame frame;
  std::unique_ptr<ModulePopulation> model_;
  ModulePopulation& m;
  std::unique_ptr<FormPyramid> form;
};

}  // namespace velmora::testing
