// The labelled figure: its charts are the windows' own pixels, its SVG keeps
// the texts as text, and its scale marks and titles say what the windows say.
#include <gtest/gtest.h>

#include <QXmlStreamReader>
#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/Census.h"
#include "model/DataCredit.h"
#include "support/FrameFixture.h"
#include "views/FigureComposer.h"
#include "views/FigureText.h"
#include "views/FormCircle.h"
#include "views/PngEncoder.h"

namespace velmora {
namespace {

class FigureTest : public testing::FrameFixture {
 protected:
  // A population thinning with age, rates that let it grow, deaths halving
  // over 25 years; then Reset as a population load requests it, Start and
  // years of the world clock.
  void Run(int years) {
    ModulePopulation& m = M();
    for (int age = 0; age < kAges; ++age) {
      m.World.People(0, age) = HeadCount::FromPersons(int64_t{100 - age} * 10'000 + 3'000);
      m.World.People(1, age) = HeadCount::FromPersons(int64_t{100 - age} * 9'500 + 8'000);
    }
    for (int period : {0, 19}) {
      for (int j = 0; j < kAgeClasses; ++j) {
        m.World.BirthRate(period, j) = j >= 3 && j <= 9 ? 70.0f + 10.0f * period : 0.0f;
        m.World.DeathRate(period, 0, j) = 80.0f + 40.0f * j * j;
        m.World.DeathRate(period, 1, j) = 60.0f + 35.0f * j * j;
      }
    }
    m.World.VariationFunc(0) = kLinear50;
    m.World.VariationFunc(1) = kHalve25;
    TakeCensus(m.Census, m.World, m, Frame().Display());
    m.PeakPopulation = HeadCount::FromDouble(m.Census.Total.ToDouble() * 1.25);
    m.WorldAtStart = m.World;
    Frame().MenuReset_Click();
    Frame().MenuStart_Click();
    for (int year = 0; year < years; ++year) {
      Frame().TimerWorld().stop();
      Frame().TimerWorld_Timer();
    }
    Frame().TimerWorld().stop();
  }

  FigureRequest Request(FigureYear year) {
    const ChildWindows& windows = Frame().Windows();
    return {year, windows.Graph().size(), windows.Pyramid().size(), windows.Circle().size(), "試験の人口", true};
  }

  // The pixels of a chart area of the figure that differ from the window's
  // canvas below its information line, leaving out the boxes given.
  static int Differing(const QImage& figure, const QRect& area, const Canvas& canvas,
                       const std::vector<QRect>& skip = {}) {
    EXPECT_EQ(area.size(), QSize(canvas.ClientWidth(), canvas.ClientHeight() - FigureComposer::kInformationLine));
    int differing = 0;
    for (int y = 0; y < area.height(); ++y) {
      for (int x = 0; x < area.width(); ++x) {
        const QPoint at(area.left() + x, area.top() + y);
        if (std::any_of(skip.begin(), skip.end(), [&](const QRect& box) { return box.contains(at); })) continue;
        const QRgb p = figure.pixel(at);
        const int32_t packed = qRed(p) + 256 * qGreen(p) + 65536 * qBlue(p);
        differing += packed != canvas.PixelAt(x, y + FigureComposer::kInformationLine);
      }
    }
    return differing;
  }
};

// What the figure shows, and how: the pyramid's content set from its menus,
// the live year or a year looked back at over the graph.
struct ChartCase {
  const char* name;
  int content;         // the pyramid's content as its menus leave it
  int lookBackAt;      // the hovered year, or -1 for the live year
  bool reset = false;  // Reset after the run
};

// Cases print by name (the structure's padding holds no value).
void PrintTo(const ChartCase& c, std::ostream* os) { *os << c.name; }

class FigureChartsTest : public FigureTest, public ::testing::WithParamInterface<ChartCase> {};

TEST_P(FigureChartsTest, ChartAreasAtTheScreensDensityAreTheWindowsPixels) {
  const ChartCase& c = GetParam();
  Run(30);
  FormPyramid& pyramid = Frame().Windows().Pyramid();
  switch (c.content) {
    case kContentPopulation:
      pyramid.MenuPeople_Click(1);
      break;
    case kContentBirths:
      pyramid.MenuMode_Click(0);
      break;
    case kContentDeaths:
      pyramid.MenuMode_Click(1);
      break;
    default:
      break;  // a run leaves the relative view
  }
  if (c.reset) {
    Frame().MenuReset_Click();
    // Reset leaves the circle window empty until its next drawing; the
    // figure shows the restored year's circle, as that drawing will.
    Frame().Windows().Circle().DrawAgeCircle(M().Census, M().World);
  }
  FormGraph& graph = Frame().Windows().Graph();
  FigureYear year = LiveYear(M());
  EXPECT_EQ(year.elapsed, c.reset ? 0 : 30);
  if (c.lookBackAt >= 0) {
    graph.Form_MouseMove(0, 0, (c.lookBackAt + 0.5f) * static_cast<float>(int{M().ViewSize[0]}) / 101.0f, 100.0f);
    ASSERT_EQ(M().SelectedYear, c.lookBackAt);
    year = LookedBackYear(M());
  }
  const FigureComposer composer(M(), Request(year));
  const QImage figure = composer.Render(1);
  ASSERT_EQ(figure.size(), composer.Layout().size);
  const FigureLayout& layout = composer.Layout();
  EXPECT_EQ(Differing(figure, layout.graph, graph.Picture()), 0);
  EXPECT_EQ(Differing(figure, layout.pyramid, pyramid.Picture()), 0);
  const std::vector<QRect> shares(layout.shareBoxes.begin(), layout.shareBoxes.end());
  EXPECT_EQ(Differing(figure, layout.circle, Frame().Windows().Circle().Picture(), shares), 0);
  // The shares sit on the disc, and leave most of it to the sectors.
  for (const QRect& box : shares) {
    EXPECT_FALSE(box.isEmpty());
    EXPECT_TRUE(layout.circle.contains(box));
  }
}

INSTANTIATE_TEST_SUITE_P(Contents, FigureChartsTest,
                         ::testing::Values(ChartCase{"RelativeLive", kContentRelative, -1},
                                           ChartCase{"PopulationLive", kContentPopulation, -1},
                                           ChartCase{"BirthsLive", kContentBirths, -1},
                                           ChartCase{"DeathsLive", kContentDeaths, -1},
                                           ChartCase{"RelativeLookedBack", kContentRelative, 12},
                                           ChartCase{"PopulationLookedBack", kContentPopulation, 3},
                                           ChartCase{"AfterReset", kContentPopulation, -1, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// All the text of an SVG document, and whether it parsed. A text that the
// painter laid out in pieces (one per script: kanji, kana, Latin) comes as
// consecutive text elements on one baseline: such a run is read as one text.
struct SvgText {
  struct Piece {
    std::string text;
    QString baseline;
  };
  bool parsed = false;
  int images = 0;
  std::vector<Piece> pieces;

  bool Has(const std::string& text) const {
    for (std::size_t first = 0; first < pieces.size(); ++first) {
      std::string run;
      for (std::size_t i = first; i < pieces.size() && pieces[i].baseline == pieces[first].baseline; ++i) {
        run += pieces[i].text;
        if (run == text) return true;
        if (run.size() >= text.size()) break;
      }
    }
    return false;
  }
};

SvgText ReadSvg(const QByteArray& svg) {
  SvgText result;
  QXmlStreamReader reader(svg);
  bool inText = false;
  while (!reader.atEnd()) {
    reader.readNext();
    if (reader.isStartElement() && reader.name() == QLatin1String("image")) {
      ++result.images;
    } else if (reader.isStartElement() && reader.name() == QLatin1String("text")) {
      inText = true;
      result.pieces.push_back({"", reader.attributes().value("y").toString()});
    } else if (reader.isEndElement() && reader.name() == QLatin1String("text")) {
      inText = false;
    } else if (reader.isCharacters() && inText) {
      result.pieces.back().text += reader.text().toString().toStdString();
    }
  }
  result.parsed = !reader.hasError();
  return result;
}

TEST_F(FigureTest, SvgHoldsTheTitleAxesAndCreditAsText) {
  Run(40);
  FigureRequest request = Request(LiveYear(M()));
  const FigureComposer composer(M(), request);
  const SvgText svg = ReadSvg(composer.Svg());
  ASSERT_TRUE(svg.parsed);
  EXPECT_EQ(svg.images, 3);  // the three charts
  EXPECT_EQ(composer.Title(), "試験の人口　西暦2040年の人口（開始から40年目）");
  for (const std::string& text :
       {composer.Title(), composer.RatesLine(), std::string("人口（人）"), std::string("西暦（年）"),
        std::string("年齢"), std::string("男"), std::string("女"), std::string("2000"), std::string("2100"),
        std::string("0"), std::string("100,000,000"), std::string("15/16"), std::string("64/65"),
        std::string(kDataCredit)}) {
    EXPECT_TRUE(svg.Has(text)) << text;
  }
  // Without UN data there is no credit to give.
  request.unData = false;
  EXPECT_FALSE(ReadSvg(FigureComposer(M(), request).Svg()).Has(kDataCredit));
}

TEST_F(FigureTest, PngIsTwiceTheScreensDensityWithTheSameCharts) {
  Run(20);
  const FigureComposer composer(M(), Request(LiveYear(M())));
  const QImage once = composer.Render(1);
  QImage twice;
  ASSERT_TRUE(twice.loadFromData(composer.Png(2), "PNG"));
  ASSERT_EQ(twice.size(), 2 * once.size());
  // Inside every pyramid bar and graph slice the colour is the same at both
  // densities: the middle of each row of the pyramid, and of the columns.
  const QRect pyramid = composer.Layout().pyramid;
  for (int row = 0; row < 20; ++row) {
    const int y = pyramid.top() + pyramid.height() - pyramid.height() * (2 * row + 1) / 40;
    const int x = pyramid.left() + pyramid.width() / 4;
    EXPECT_EQ(once.pixel(x, y), twice.pixel(2 * x, 2 * y)) << "row " << row;
  }
  // Each column stands twice as high, to the pixel that rounding allows.
  const QRect graph = composer.Layout().graph;
  const auto columnTop = [](const QImage& image, int x, int top, int bottom) {
    int y = top;
    while (y < bottom && (image.pixel(x, y) & 0xFFFFFF) == 0) ++y;
    return y - top;
  };
  for (int column = 2; column <= 20; column += 6) {
    const int x = graph.left() + graph.width() * (2 * column - 1) / 200;
    const int once1 = columnTop(once, x, graph.top(), graph.top() + graph.height());
    const int twice2 = columnTop(twice, 2 * x, 2 * graph.top(), 2 * (graph.top() + graph.height()));
    EXPECT_LT(once1, graph.height() / 2) << "column " << column;
    EXPECT_NEAR(twice2, 2 * once1, 1) << "column " << column;
  }
}

// The PNG is drawn and encoded in strips, the graph's columns straight into
// each strip: its pixels are Render's, to the last, at either density, with
// the graph empty, partly filled or full.
TEST_F(FigureTest, PngDrawnInStripsHasTheRenderedPixels) {
  for (const int years : {0, 37, 100}) {
    if (years > 0) Run(years);
    const FigureComposer composer(M(), Request(LiveYear(M())));
    for (const int density : {1, 2}) {
      const QImage rendered = composer.Render(density);
      QImage decoded;
      ASSERT_TRUE(decoded.loadFromData(composer.Png(density), "PNG")) << years << " years, density " << density;
      ASSERT_EQ(decoded.size(), rendered.size());
      int differing = 0;
      for (int y = 0; y < rendered.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(rendered.constScanLine(y));
        const QImage row = decoded.copy(0, y, decoded.width(), 1).convertToFormat(QImage::Format_RGB32);
        const auto* b = reinterpret_cast<const QRgb*>(row.constScanLine(0));
        for (int x = 0; x < rendered.width(); ++x) differing += (a[x] & 0xFFFFFF) != (b[x] & 0xFFFFFF);
      }
      EXPECT_EQ(differing, 0) << years << " years, density " << density;
    }
  }
}

// A chart area for the SVG with a colour table: the same pixels whenever 256
// colours hold them, else the area as it is; never more than the picture.
TEST(PngEncoder, WithPaletteKeepsThePixelsOfTheArea) {
  struct Case {
    const char* name;
    int colours;  // distinct colours in the picture
    QImage::Format format;
    QRect area;
    QImage::Format expected;
  };
  for (const Case& c :
       std::vector<Case>{{"FewColours", 101, QImage::Format_RGB32, QRect(3, 2, 40, 20), QImage::Format_Indexed8},
                         {"ExactlyAFullTable", 256, QImage::Format_RGB32, QRect(0, 0, 64, 32), QImage::Format_Indexed8},
                         {"OneColourTooMany", 257, QImage::Format_RGB32, QRect(0, 0, 64, 32), QImage::Format_RGB32},
                         {"AreaPastTheCorner", 5, QImage::Format_RGB32, QRect(50, 20, 40, 40), QImage::Format_Indexed8},
                         {"NotRgb32", 5, QImage::Format_ARGB32, QRect(1, 1, 10, 10), QImage::Format_ARGB32}}) {
    // Colours in runs of three, in rows that go on where the last row ended.
    QImage image(64, 32, c.format);
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 64; ++x) {
        const int colour = ((y * 64 + x) / 3) % c.colours;
        image.setPixel(x, y, qRgb(colour & 0xFF, colour >> 8, 77));
      }
    }
    const QImage result = WithPalette(image, c.area);
    const QRect area = c.area & image.rect();
    EXPECT_EQ(result.format(), c.expected) << c.name;
    ASSERT_EQ(result.size(), area.size()) << c.name;
    int differing = 0;
    for (int y = 0; y < area.height(); ++y) {
      for (int x = 0; x < area.width(); ++x)
        differing += result.pixel(x, y) != image.pixel(area.left() + x, area.top() + y);
    }
    EXPECT_EQ(differing, 0) << c.name;
  }
  EXPECT_TRUE(WithPalette(QImage(4, 4, QImage::Format_RGB32), QRect(10, 10, 2, 2)).isNull());
}

// The PNG encoder gives back every pixel, whatever the picture's shape and
// pixel format.
TEST(PngEncoder, RoundTripsEveryPixel) {
  struct Case {
    int width;
    int height;
    QImage::Format format;
  };
  for (const Case& c : std::vector<Case>{{1, 1, QImage::Format_RGB32},
                                         {3, 2, QImage::Format_RGB32},
                                         {257, 31, QImage::Format_RGB32},
                                         {40, 17, QImage::Format_ARGB32_Premultiplied},
                                         {5, 300, QImage::Format_RGB888}}) {
    QImage image(c.width, c.height, c.format);
    for (int y = 0; y < c.height; ++y) {
      for (int x = 0; x < c.width; ++x) {
        image.setPixel(x, y, qRgb((x * 37 + y) & 0xFF, (y * 91 + 3 * x) & 0xFF, (x ^ y) & 0xFF));
      }
    }
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(EncodePng(image), "PNG")) << c.width << "x" << c.height;
    ASSERT_EQ(decoded.size(), image.size());
    int differing = 0;
    for (int y = 0; y < c.height; ++y) {
      for (int x = 0; x < c.width; ++x) differing += (decoded.pixel(x, y) & 0xFFFFFF) != (image.pixel(x, y) & 0xFFFFFF);
    }
    EXPECT_EQ(differing, 0) << c.width << "x" << c.height;
  }
  EXPECT_TRUE(EncodePng(QImage()).isEmpty());
}

// Strips are drawn into two pictures in turn while the one before is still
// being encoded: every pixel arrives all the same, and a strip that cannot
// be drawn, or comes in the wrong width, fails the whole picture.
TEST(PngEncoder, StripsDrawnInTurnKeepEveryPixelOrFailWhole) {
  struct Case {
    const char* name;
    int stripRows;
    QImage::Format format;
    int badCall;  // the call that throws (odd) or gives a narrower strip (even); 0: none
  };
  const QSize size(37, 29);
  QImage whole(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y) {
    for (int x = 0; x < size.width(); ++x) whole.setPixel(x, y, qRgb(x * 7, y * 9, (x * y) & 0xFF));
  }
  for (const Case& c : std::vector<Case>{{"RowByRow", 1, QImage::Format_RGB32, 0},
                                         {"ShortLastStrip", 4, QImage::Format_RGB32, 0},
                                         {"ConvertedStrips", 3, QImage::Format_RGB888, 0},
                                         {"OneStrip", 29, QImage::Format_RGB32, 0},
                                         {"ThrowingStrip", 4, QImage::Format_RGB32, 3},
                                         {"NarrowStrip", 4, QImage::Format_RGB32, 6}}) {
    std::array<QImage, 2> turns;
    int calls = 0;
    const QByteArray png = EncodePngInStrips(size, c.stripRows, [&](int top, int rows) -> const QImage& {
      ++calls;
      if (calls == c.badCall && calls % 2 == 1) throw std::runtime_error("cannot draw");
      // Overwrites the strip given two calls ago.
      QImage& strip = turns[calls % 2];
      strip = whole.copy(0, top, calls == c.badCall ? size.width() - 1 : size.width(), rows).convertToFormat(c.format);
      return strip;
    });
    if (c.badCall != 0) {
      EXPECT_TRUE(png.isEmpty()) << c.name;
      EXPECT_EQ(calls, c.badCall) << c.name;
      continue;
    }
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(png, "PNG")) << c.name;
    EXPECT_EQ(decoded.convertToFormat(QImage::Format_RGB32), whole) << c.name;
  }
}

// Scale marks: round steps with four to ten intervals, exact to the last
// decimal, the full scale always last.
struct MarksCase {
  int64_t fullRaw;
  std::vector<int64_t> marksRaw;
};

TEST(FigureText, ScaleMarksAreRoundAndEndAtTheFullScale) {
  constexpr int64_t k = HeadCount::kScale;
  const std::vector<MarksCase> cases = {
      {100'000'000 * k,
       {0, 10'000'000 * k, 20'000'000 * k, 30'000'000 * k, 40'000'000 * k, 50'000'000 * k, 60'000'000 * k,
        70'000'000 * k, 80'000'000 * k, 90'000'000 * k, 100'000'000 * k}},
      {250'000 * k,
       {0, 25'000 * k, 50'000 * k, 75'000 * k, 100'000 * k, 125'000 * k, 150'000 * k, 175'000 * k, 200'000 * k,
        225'000 * k, 250'000 * k}},
      {1'234 * k, {0, 200 * k, 400 * k, 600 * k, 800 * k, 1'000 * k, 1'200 * k, 1'234 * k}},
      {7 * k, {0, k, 2 * k, 3 * k, 4 * k, 5 * k, 6 * k, 7 * k}},
      {3, {0, 1, 2, 3}},  // 0.0003 persons: the smallest step is one raw unit
      {0, {}},
      {-5 * k, {}},
  };
  for (const MarksCase& c : cases) {
    std::vector<int64_t> raw;
    for (const HeadCount mark : ScaleMarks(HeadCount::FromRaw(c.fullRaw))) raw.push_back(mark.Raw());
    EXPECT_EQ(raw, c.marksRaw) << c.fullRaw;
  }
  // At the end of the range the steps are computed without overflow.
  const std::vector<HeadCount> top = ScaleMarks(HeadCount::Max());
  ASSERT_GE(top.size(), 5u);
  EXPECT_LE(top.size(), 12u);
  EXPECT_EQ(top.back(), HeadCount::Max());
  EXPECT_EQ(top[1].Raw(), 1'000'000'000'000'000'000);
}

TEST(FigureText, TitlesNameTheYearTheSubjectAndTheFunctions) {
  struct Case {
    std::string subject;
    int startYear;
    int elapsed;
    std::string title;
  };
  for (const Case& c : std::vector<Case>{
           {"", 2000, 0, "西暦2000年の人口（開始時）"},
           {"日本 1950年", 1950, 30, "日本 1950年　西暦1980年の人口（開始から30年目）"},
           {"", 2000, 100, "西暦2100年の人口（開始から100年目）"},
       }) {
    FigureTitle title;
    title.subject = c.subject;
    title.startYear = c.startYear;
    title.elapsed = c.elapsed;
    EXPECT_EQ(TitleLine(title), c.title);
  }
  FigureTitle title;
  title.total = HeadCount::FromPersons(126'925'843);
  title.elderRatio = 17.3f;
  title.fertilityRate = 1.36f;
  title.meanDeathRate = 8.23f;
  title.birthsVariation = kConstant;
  title.deathsVariation = kHalve25;
  EXPECT_EQ(RatesLine(title),
            "総人口 126,925,843　老齢率 17.3%　特殊出生率 1.36（不変）　平均死亡率 8.23（半減／25Year）");
  EXPECT_EQ(VariationMenuName(kLinear50), "線形／50Year");
  EXPECT_EQ(VariationMenuName(13), "13");
  EXPECT_EQ(VariationMenuName(-1), "-1");
}

}  // namespace
}  // namespace velmora
