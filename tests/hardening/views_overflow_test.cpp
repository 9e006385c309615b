// Populations whose sums leave the head-count range (a census that has
// exploded, counts of both signs after death rates above 100,000) reach the
// charts through every path that redraws them. None of those paths may let
// an overflow out of its handler: the event loop's guard would show the
// unexpected-error box, and the unwinding skips the toolkit's own cleanup.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QTimerEvent>
#include <ostream>
#include <string>
#include <vector>

#include "model/Census.h"
#include "model/Messages.h"
#include "support/FrameFixture.h"
#include "views/FormCircle.h"

namespace velmora {
namespace {

enum class Shape { kGroupBeyond, kMixedSigns, kTotalBeyond };

// Counts whose first age group already leaves the range; counts of both
// signs whose running sums do while the total is small; and age groups each
// in range (the elders of each sex at 60 % of the range) whose total is not.
WorldRecord Beyond(Shape shape) {
  WorldRecord w;
  for (int s = 0; s < kSexes; ++s) {
    for (int a = 0; a < kAges; ++a) {
      int64_t raw = HeadCount::kMaxRaw / 2;
      if (shape == Shape::kMixedSigns && a % 2 == 1) raw = -raw;
      if (shape == Shape::kTotalBeyond) raw = a >= 65 ? HeadCount::kMaxRaw / 35 / 5 * 3 : 1000 * HeadCount::kScale;
      w.People(s, a) = HeadCount::FromRaw(raw);
    }
  }
  for (int j = 0; j < kAgeClasses; ++j) {
    w.BirthRate(0, j) = 50.0f;
    w.DeathRate(0, 0, j) = 1000.0f;
    w.DeathRate(0, 1, j) = 1000.0f;
  }
  return w;
}

class ViewsOverflowTest : public testing::FrameFixture, public ::testing::WithParamInterface<Shape> {
 protected:
  void SetUp() override {
    FrameFixture::SetUp();
    M().World = Beyond(GetParam());
    M().WorldAtStart = M().World;
    M().PeakPopulation = HeadCount::Max();
    // The census as such a population leaves it: exploded part-way, or with
    // a small total over large group sums.
    TakeCensus(M().Census, M().World, M(), Frame().Display());
    platform_.boxes.clear();
  }

  std::vector<std::string> UnexpectedErrors() const {
    std::vector<std::string> texts;
    for (const auto& box : platform_.boxes) {
      if (box.title == kUnexpectedErrorTitle) texts.push_back(box.text);
    }
    return texts;
  }
  void Choose(QAction* item) {
    QMetaObject::invokeMethod(item, &QAction::trigger, Qt::QueuedConnection);
    QCoreApplication::sendPostedEvents();
  }
  void Tick(QTimer& timer) {
    QCoreApplication::postEvent(&timer, new QTimerEvent(timer.timerId()));
    QCoreApplication::sendPostedEvents();
  }
  void Move(QWidget& widget, QPointF at, Qt::MouseButtons held) {
    QMouseEvent move(QEvent::MouseMove, at, widget.mapToGlobal(at), Qt::NoButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &move);
    QCoreApplication::sendPostedEvents();
  }
  void Press(QWidget& widget, QPointF at, Qt::MouseButton button) {
    QMouseEvent press(QEvent::MouseButtonPress, at, widget.mapToGlobal(at), button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget.mapToGlobal(at), button, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &release);
    QCoreApplication::sendPostedEvents();
  }
};

TEST_P(ViewsOverflowTest, ResetDrawsItWithoutAFailure) {
  Choose(Menus().MenuReset);
  EXPECT_EQ(UnexpectedErrors(), std::vector<std::string>{});
  EXPECT_EQ(M().RunState, kIdle);
}

TEST_P(ViewsOverflowTest, ResizingEachChartDrawsItWithoutAFailure) {
  for (int index : {kWindowGraph, kWindowPyramid, kWindowCircle}) {
    QMdiSubWindow& window = Frame().Windows().Window(index);
    const QSize before = window.widget()->size();
    window.resize(window.width() + 37, window.height() + 23);
    QCoreApplication::sendPostedEvents();
    ASSERT_NE(window.widget()->size(), before) << "window " << index;
    EXPECT_EQ(UnexpectedErrors(), std::vector<std::string>{}) << "window " << index;
  }
}

TEST_P(ViewsOverflowTest, ReopeningEachChartDrawsItWithoutAFailure) {
  for (int index : {kWindowGraph, kWindowPyramid, kWindowCircle}) {
    Frame().Windows().Window(index).close();
    QCoreApplication::sendPostedEvents();
    Choose(Menus().MenuWShow[static_cast<std::size_t>(index)]);
    EXPECT_EQ(UnexpectedErrors(), std::vector<std::string>{}) << "window " << index;
  }
}

TEST_P(ViewsOverflowTest, LookingBackAtItOnTheGraphWithoutAFailure) {
  // Year 0 of a run holds the population; hovering over it shows it on the
  // circle and the pyramid.
  Choose(Menus().MenuStart);
  Tick(Frame().TimerWorld());
  FormGraph& graph = Frame().Windows().Graph();
  for (double x : {1.0, graph.width() / 2.0, graph.width() - 1.0}) Move(graph, QPointF(x, 100.0), Qt::NoButton);
  EXPECT_EQ(UnexpectedErrors(), std::vector<std::string>{});
}

TEST_P(ViewsOverflowTest, ThePyramidsContentsShowItWithoutAFailure) {
  FormPyramid& pyramid = Frame().Windows().Pyramid();
  // The right button cycles the contents; each is drawn in turn.
  for (int i = 0; i < 4; ++i) Press(pyramid, QPointF(pyramid.width() / 2.0, pyramid.height() / 2.0), Qt::RightButton);
  for (QAction* item : pyramid.Menus().MenuPeople) Choose(item);
  Choose(pyramid.Menus().MenuAbs);
  EXPECT_EQ(UnexpectedErrors(), std::vector<std::string>{});
}

std::string NameOf(Shape shape) {
  switch (shape) {
    case Shape::kGroupBeyond:
      return "GroupBeyondTheRange";
    case Shape::kMixedSigns:
      return "MixedSigns";
    case Shape::kTotalBeyond:
      return "TotalBeyondTheRange";
  }
  return "";
}
void PrintTo(Shape shape, std::ostream* out) { *out << NameOf(shape); }

INSTANTIATE_TEST_SUITE_P(Populations, ViewsOverflowTest,
                         ::testing::Values(Shape::kGroupBeyond, Shape::kMixedSigns, Shape::kTotalBeyond),
                         [](const ::testing::TestParamInfo<Shape>& info) { return NameOf(info.param); });

}  // namespace
}  // namespace velmora
