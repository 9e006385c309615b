// The stable population's outline on the pyramid: where its pixels lie,
// against the analysis library's stable shares, and that the pictures
// without it are the plain ones.
#include <cmath>

#include "analysis/Indicators.h"
#include "analysis/StablePopulation.h"
#include "pyramid_window_test.h"
#include "views/ShownYear.h"

namespace velmora::testing {
namespace {

constexpr int kWhite = 0xFFFFFF;

class StableOutlineTest : public PyramidWindowTest {
 protected:
  // Rates with a stable population (births at 20-39, deaths at every age,
  // more at the old ages) in every period, and a young population that is
  // far from it.
  void SetUpWorld(int period = 0, float birthRate = 60.0f) {
    for (int c = 4; c < 8; ++c) m.World.BirthRate(period, c) = birthRate;
    for (int sex = 0; sex < 2; ++sex) {
      for (int c = 0; c < kAgeClasses; ++c) m.World.DeathRate(period, sex, c) = c < 12 ? 500.0f + 50.0f * sex : 6000.0f;
    }
    for (int age = 0; age < kAges; ++age) {
      m.World.People(0, age) = Persons(age < 40 ? 900 - 10 * age : 150);
      m.World.People(1, age) = Persons(age < 40 ? 880 - 10 * age : 170);
    }
    Census();
  }

  void Resize(int width, int height) {
    form->resize(width, height);
    QApplication::processEvents();
    ASSERT_EQ(form->width(), width);
  }

  // The white pixels of a pixel row on one side of column split.
  std::vector<int> WhiteColumns(int y, int from, int to) const {
    std::vector<int> columns;
    for (int x = from; x < to; ++x) {
      if (Pixel(x, y) == kWhite) columns.push_back(x);
    }
    return columns;
  }
};

struct OutlineCase {
  int width;
  int height;
  int content;
};

TEST_F(StableOutlineTest, OutlineStandsAtTheStableClassSharesAtTwoSizes) {
  const std::vector<OutlineCase> cases = {
      {400, 320, kContentPopulation}, {640, 520, kContentPopulation}, {400, 320, kContentRelative}};
  SetUpWorld();
  const std::optional<StableAgeCounts> ages = ComputeStableAges(m.World, 0);
  ASSERT_TRUE(ages.has_value());
  const StableClassShares shares = ClassSharesOf(*ages);
  form->SetStableOutline(true);
  m.FullScale = Persons(5'000);
  for (const OutlineCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << " content " << c.content);
    Resize(c.width, c.height);
    form->DrawPyramid(c.content, m.World, m.Census);
    const double w = c.width;
    const double rowHeight = (c.height - 20) / 20.0;
    const double total = m.Census.Total.ToDouble();
    double men = 0;
    for (int age = 0; age < kAges; ++age) men += m.World.People(0, age).ToDouble();
    // The axis: the middle, or the men's share of the width.
    const double axis = c.content == kContentRelative ? static_cast<float>(w * men / total) : w / 2;
    const int axisPixel = static_cast<int>(std::floor(axis + 0.5));
    int outlined = 0;
    for (int ageClass = 0; ageClass < kAgeClasses; ++ageClass) {
      const int top = static_cast<int>(std::floor(c.height - rowHeight * (ageClass + 1) + 0.5));
      const int bottom = static_cast<int>(std::floor(c.height - rowHeight * ageClass + 0.5)) - 1;
      const int middle = (top + bottom) / 2;
      for (int sex = 0; sex < 2; ++sex) {
        double fraction = c.content == kContentRelative ? shares.ofSex[sex][ageClass] * 100.0 / 10.0
                                                        : shares.share[sex][ageClass] * total / 5'000.0;
        fraction = std::min(fraction, 1.0);
        const double length = sex == 0 ? axis : w - axis;
        const double end = sex == 0 ? axis - length * fraction : axis + length * fraction;
        const int edge = static_cast<int>(std::floor(end + 0.5));
        const int outer = sex == 0 ? edge : edge - 1;
        const std::vector<int> whites =
            sex == 0 ? WhiteColumns(middle, 0, axisPixel) : WhiteColumns(middle, axisPixel + 1, c.width);
        if (sex == 0 ? outer >= axisPixel - 3 : outer <= axisPixel + 3) {
          EXPECT_TRUE(whites.empty()) << "class " << ageClass << " sex " << sex;
          continue;
        }
        ++outlined;
        EXPECT_EQ(whites, std::vector<int>{outer}) << "class " << ageClass << " sex " << sex;
        // The level edges run from the axis band to the outer column.
        const int inner = sex == 0 ? axisPixel - 4 : axisPixel + 4;
        for (int y : {top, bottom}) {
          EXPECT_EQ(Pixel(inner, y), kWhite) << "class " << ageClass << " sex " << sex << " y " << y;
          EXPECT_EQ(Pixel(outer, y), kWhite) << "class " << ageClass << " sex " << sex << " y " << y;
        }
        EXPECT_NE(Pixel(sex == 0 ? inner + 1 : inner - 1, top), kWhite) << "the band stays black";
      }
    }
    EXPECT_GT(outlined, 20);
  }
}

// The whole picture of a content, drawn afresh.
QImage Drawn(FormPyramid& form, ModulePopulation& m, int content) {
  form.DrawPyramid(content, m.World, m.Census);
  return form.Picture().Image().copy();
}

TEST_F(StableOutlineTest, PicturesWithoutAnOutlineAreThePlainOnes) {
  SetUpWorld();
  std::vector<QImage> plain;
  for (int content : {kContentPopulation, kContentRelative, kContentBirths, kContentDeaths}) {
    plain.push_back(Drawn(*form, m, content));
  }
  struct Case {
    const char* what;
    bool outline;
    int content;
    bool drawsOutline;
  };
  const std::vector<Case> cases = {
      {"outline off again", false, kContentPopulation, false},
      {"outline off again, relative", false, kContentRelative, false},
      {"birth rates", true, kContentBirths, false},
      {"death rates", true, kContentDeaths, false},
      {"population, outline on", true, kContentPopulation, true},
      {"relative, outline on", true, kContentRelative, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    form->SetStableOutline(c.outline);
    const QImage image = Drawn(*form, m, c.content);
    EXPECT_EQ(image == plain[static_cast<std::size_t>(c.content + 1)], !c.drawsOutline);
  }
}

TEST_F(StableOutlineTest, NoStablePopulationNoOutline) {
  struct Case {
    const char* what;
    float birthRate;
    float openAgeDeaths;
  };
  // Without births there is no growth factor; an open age that never dies
  // outlives every lambda below 1.
  const std::vector<Case> cases = {{"no births", 0.0f, 6000.0f}, {"open age never dies", 20.0f, 0.0f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUpWorld(0, c.birthRate);
    m.World.DeathRate(0, 0, 19) = c.openAgeDeaths;
    m.World.DeathRate(0, 1, 19) = c.openAgeDeaths;
    form->SetStableOutline(false);
    const QImage plain = Drawn(*form, m, kContentPopulation);
    form->SetStableOutline(true);
    EXPECT_EQ(Drawn(*form, m, kContentPopulation), plain);
  }
}

TEST_F(StableOutlineTest, OutlineFollowsTheRatesOfTheShownYear) {
  // Period 0 has no births: no outline in year 0. Period 2 (years 10-14)
  // has births, shown by the look-back at year 12 and by the live year 12.
  SetUpWorld(2, 60.0f);
  for (int sex = 0; sex < 2; ++sex) {
    for (int c = 0; c < kAgeClasses; ++c) m.World.DeathRate(0, sex, c) = m.World.DeathRate(2, sex, c);
  }
  m.WorldHistory[12] = m.World;
  form->SetStableOutline(true);
  const QImage year0 = Drawn(*form, m, kContentPopulation);
  form->SetStableOutline(false);
  EXPECT_EQ(Drawn(*form, m, kContentPopulation), year0);
  form->SetStableOutline(true);

  m.SelectedYear = 12;
  form->DrawPyramid(kContentPopulation, m.WorldHistory[12], m.Census);
  EXPECT_NE(form->Picture().Image(), year0);

  m.RunState = kRunning;
  m.ElapsedYears = 12;
  EXPECT_NE(Drawn(*form, m, kContentPopulation), year0);
}

TEST(ShownYearTest, YearAndPeriodOfTheRecordOnScreen) {
  auto model = std::make_unique<ModulePopulation>();
  ModulePopulation& m = *model;
  struct Case {
    const char* what;
    int runState;
    int elapsed;
    int selected;
    bool lookBack;
    int year;
    int period;
  };
  const std::vector<Case> cases = {
      {"idle at start", kIdle, 0, 0, false, 0, 0},
      {"idle after a reset keeps ElapsedYears", kIdle, 37, 0, false, 0, 0},
      {"running", kRunning, 37, 0, false, 37, 7},
      {"paused", kPaused, 24, 5, false, 24, 4},
      {"year 100 reads period 19", kRunning, 100, 0, false, 100, 19},
      {"look-back", kPaused, 40, 12, true, 12, 2},
      {"look-back at year 100", kRunning, 100, 100, true, 100, 19},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    m.RunState = c.runState;
    m.ElapsedYears = c.elapsed;
    m.SelectedYear = c.selected;
    const WorldRecord& record = c.lookBack ? m.WorldHistory[c.selected] : m.World;
    const ShownYear year = ShownYearOf(m, record, m.Census);
    EXPECT_EQ(year.record, &record);
    EXPECT_EQ(year.elapsed, c.year);
    EXPECT_EQ(year.period, c.period);
  }
}

}  // namespace
}  // namespace velmora::testing
