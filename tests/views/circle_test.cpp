// The age-composition circle on the real window: sectors by age, the
// readout line and the resize handling, checked on the picture's pixels.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <cmath>
#include <memory>
#include <numbers>
#include <set>
#include <vector>

#include "model/AgeColour.h"
#include "model/Census.h"
#include "support/FakeFrameServices.h"
#include "support/RecordingDisplay.h"
#include "views/FormCircle.h"
#include "views/PackedRgb.h"

namespace velmora {
namespace {

using testing::Rgb;

// Client 300 x 217: the band below the readout line is 300 x 200, so the
// disc is centred at (150, 117) with radius 0.95 x 200 / 2 = 95.
class CircleTest : public ::testing::Test {
 protected:
  CircleTest() : model_(std::make_unique<ModulePopulation>()), m(*model_), circle(m, display, frame) {
    circle.resize(300, 217);
    circle.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&circle));
  }

  void Set(int sex, int age, int64_t persons) { m.World.People(sex, age) = HeadCount::FromPersons(persons); }
  void Draw() {
    TakeCensus(m.Census, m.World, m, display);
    circle.DrawAgeCircle(m.Census, m.World);
  }
  // The pixel under the point at an angle (degrees, counter-clockwise from
  // 3 o'clock) and a distance from the centre.
  int32_t At(double degrees, double distance) const {
    const double a = degrees * std::numbers::pi / 180.0;
    const int x = static_cast<int>(std::floor(150.0 + distance * std::cos(a)));
    const int y = static_cast<int>(std::floor(117.0 - distance * std::sin(a)));
    return circle.Picture().PixelAt(x, y);
  }
  std::set<int32_t> Colours() const {
    std::set<int32_t> seen;
    const Canvas& picture = circle.Picture();
    for (int y = 0; y < picture.ClientHeight(); ++y)
      for (int x = 0; x < picture.ClientWidth(); ++x) seen.insert(picture.PixelAt(x, y));
    return seen;
  }
  std::string Readout() const { return circle.LabelInfo()->text().toStdString(); }

  std::unique_ptr<ModulePopulation> model_;
  ModulePopulation& m;
  testing::RecordingDisplay display;
  testing::FakeFrameServices frame;  // the clock stays stopped
  FormCircle circle;
};

TEST_F(CircleTest, EqualCountsGiveAHundredSectorsOfThreePointSixDegreesClockwiseFromNoon) {
  for (int age = 0; age < kAges; ++age) {
    Set(0, age, 10);
    Set(1, age, 5);
  }
  Draw();
  // Age k runs from 90 - 3.6 k down to 90 - 3.6 (k + 1) degrees.
  for (int age = 0; age < kAges; ++age) {
    EXPECT_EQ(At(90.0 - 3.6 * (age + 0.5), 60.0), AgeColour(age)) << age;
  }
  EXPECT_EQ(At(88.2, 60.0), Rgb(0, 0, 255));    // age 0, just right of noon
  EXPECT_EQ(At(-55.8, 60.0), Rgb(65, 190, 0));  // age 40: 90 - 3.6 x 40.5
  EXPECT_EQ(At(91.8, 60.0), Rgb(119, 0, 136));  // age 99, just left of noon
  EXPECT_EQ(Readout(), "Elders = 35% , Adults = 49% , Children = 16%");
}

TEST_F(CircleTest, OneAgeAloneFillsTheWholeDiscInItsColour) {
  Set(1, 70, 1000);
  Draw();
  const int32_t colour = AgeColour(70);
  int wrong = 0;
  for (int y = 0; y < 217; ++y) {
    for (int x = 0; x < 300; ++x) {
      const double d = std::hypot(x + 0.5 - 150.0, y + 0.5 - 117.0);
      const int32_t pixel = circle.Picture().PixelAt(x, y);
      if (d <= 95.0 && pixel != colour) ++wrong;
      if (d > 96.0 && pixel != 0) ++wrong;
    }
  }
  EXPECT_EQ(wrong, 0);  // also along the 3 o'clock radius where the two pieces meet
  EXPECT_EQ(Readout(), "Elders = 100% , Adults = 0% , Children = 0%");
}

TEST_F(CircleTest, ASectorEndingExactlyAtThreeOclockKeepsTheQuarterBeforeIt) {
  // A quarter at age 0 ends at 3 o'clock; the sector after it must not wrap
  // into a whole disc that paints over that quarter.
  Set(0, 0, 25);
  Set(0, 50, 75);
  Draw();
  EXPECT_EQ(At(45.0, 60.0), Rgb(0, 0, 255));
  EXPECT_EQ(At(10.0, 60.0), Rgb(0, 0, 255));
  const int32_t age50 = Rgb(91, 164, 0);  // red floor(35 x 128 / 49) = 91
  EXPECT_EQ(At(-10.0, 60.0), age50);
  EXPECT_EQ(At(200.0, 60.0), age50);
  EXPECT_EQ(At(100.0, 60.0), age50);
}

TEST_F(CircleTest, TheDiscIsExactlyItsPlannedSectorsDrawnOneByOne) {
  // Uneven counts, a gap, a tiny age and one age over half the total.
  for (int age = 0; age < kAges; ++age) Set(age % 2, age, 1000 + 37 * age);
  Set(0, 20, 0);
  Set(1, 33, 1);
  Set(0, 60, 400'000);
  Draw();
  std::vector<CircleSector> sectors;
  PlanAgeCircle(m.Census, m.World, sectors);
  Canvas expected;
  expected.Resize(QSize(300, 217));
  for (const CircleSector& s : sectors) expected.FillPie(150, 117, 95, s.start, s.end, s.colour);
  int differ = 0;
  for (int y = 0; y < 217; ++y)
    for (int x = 0; x < 300; ++x) differ += circle.Picture().PixelAt(x, y) != expected.PixelAt(x, y);
  EXPECT_EQ(differ, 0);
}

TEST_F(CircleTest, AgesWithoutPeopleLeaveNoSector) {
  Set(0, 10, 100);
  Set(1, 80, 100);
  Draw();
  EXPECT_EQ(At(0.0, 60.0), AgeColour(10));  // right half: noon to six o'clock
  EXPECT_EQ(At(180.0, 60.0), AgeColour(80));
  EXPECT_EQ(Colours(), (std::set<int32_t>{0, AgeColour(10), AgeColour(80)}));
}

TEST_F(CircleTest, AnAgeTooSmallToTurnTheAngleIsCarriedIntoTheNextSector) {
  Set(0, 10, 1);
  Set(0, 80, 100'000'000'000);
  Draw();
  // 1 in 10^11 turns the angle by 6e-11 radians, below what a 32-bit float
  // can show: no sector of age 10, and age 80 takes the carried person along.
  EXPECT_EQ(Colours(), (std::set<int32_t>{0, AgeColour(80)}));
  EXPECT_EQ(Readout(), "Elders = 99.9% , Adults = 0% , Children = 0%");
}

TEST_F(CircleTest, SharesAreTruncatedToOneDecimal) {
  Set(0, 70, 2);
  Set(1, 5, 1);
  Draw();
  EXPECT_EQ(Readout(), "Elders = 66.6% , Adults = 0% , Children = 33.3%");
}

TEST_F(CircleTest, WithoutPeopleNothingIsDrawnAndTheReadoutStays) {
  Draw();
  EXPECT_EQ(Colours(), std::set<int32_t>{0});
  EXPECT_EQ(Readout(), "Velmora");
}

TEST_F(CircleTest, DrawingPaintsOverThePictureWithoutClearingIt) {
  circle.Picture().FillRect(0, 20, 4, 24, Rgb(255, 255, 255));
  Set(0, 30, 7);
  Draw();
  EXPECT_EQ(circle.Picture().PixelAt(1, 21), Rgb(255, 255, 255));
  EXPECT_EQ(At(0.0, 30.0), AgeColour(30));
}

TEST_F(CircleTest, ResizeRemeasuresClearsAndRedrawsTheLiveState) {
  Set(0, 30, 7);
  TakeCensus(m.Census, m.World, m, display);
  circle.Picture().FillRect(0, 20, 4, 24, Rgb(255, 255, 255));
  circle.resize(200, 117);  // band 200 x 100: centre (100, 67), radius 47.5
  EXPECT_EQ(m.ViewSize[4], 200);
  EXPECT_EQ(m.ViewSize[5], 100);
  EXPECT_EQ(circle.LabelInfo()->width(), 200);
  EXPECT_EQ(circle.Picture().PixelAt(1, 21), 0);
  EXPECT_EQ(circle.Picture().PixelAt(100, 67), AgeColour(30));
  EXPECT_EQ(circle.Picture().PixelAt(100 + 47, 67), AgeColour(30));
  EXPECT_EQ(circle.Picture().PixelAt(100 + 49, 67), 0);
  EXPECT_EQ(Readout(), "Elders = 0% , Adults = 100% , Children = 0%");
}

TEST_F(CircleTest, AWindowNoHigherThanTheReadoutLineDrawsNoDisc) {
  Set(0, 30, 7);
  TakeCensus(m.Census, m.World, m, display);
  circle.resize(300, 10);
  EXPECT_EQ(m.ViewSize[5], -7);
  EXPECT_EQ(Colours(), std::set<int32_t>{0});
  EXPECT_EQ(Readout(), "Elders = 0% , Adults = 100% , Children = 0%");
}

}  // namespace
}  // namespace velmora
