#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>

#include "frame/MDIFormMain.h"
#include "model/ModulePopulation.h"
#include "support/TestPlatform.h"
#include "views/FormGraph.h"
#include "views/FormPyramid.h"
#include "views/FormText.h"

namespace velmora::testing {

// A fresh model and a frame opened as the program opens it, with dialogs
// answered by a TestPlatform.
class FrameFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    frame_ = std::make_unique<MDIFormMain>(*m_);
    frame_->OpenFrame();
  }
  void TearDown() override {
    frame_->TimerWorld().stop();
    frame_->TimerMenu().stop();
  }

  MDIFormMain& Frame() { return *frame_; }
  ModulePopulation& M() { return *m_; }
  const FrameMenus& Menus() { return frame_->Menus(); }
  FormText& Controller() { return frame_->Windows().Text(); }
  std::string LabelD(int index) { return Controller().LabelD(index)->text().toStdString(); }
  std::string PyramidInfo() { return frame_->Windows().Pyramid().LabelInfo()->text().toStdString(); }

  // Types text into a box and presses Enter, as the user does.
  static void Enter(QLineEdit* box, const QString& text) {
    box->clear();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
  }

  // Lets the event loop run until the world clock has stopped by itself.
  bool WaitForClockToStop(int safetyMs = 60'000) {
    return QTest::qWaitFor([this] { return !frame_->TimerWorld().isActive(); }, safetyMs);
  }

  TestPlatform platform_;
  std::unique_ptr<ModulePopulation> m_ = std::make_unique<ModulePopulation>();
  std::unique_ptr<MDIFormMain> frame_;
};

}  // namespace velmora::testing
