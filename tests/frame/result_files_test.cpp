// Saving the figure from the desktop program: the データ menu's item, the
// standard dialog's answer, and paths that must be refused with one message
// box and nothing written.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QImage>
#include <filesystem>
#include <string>
#include <vector>

#include "../scenario_core/TempFolder.h"
#include "frame/ResultFiles.h"
#include "model/Census.h"
#include "support/FrameFixture.h"
#include "views/FormCircle.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

class ResultFilesTest : public testing::FrameFixture {
 protected:
  void SetUp() override {
    FrameFixture::SetUp();
    ModulePopulation& m = M();
    for (int age = 0; age < kAges; ++age) {
      m.World.People(0, age) = HeadCount::FromPersons(int64_t{100 - age} * 1'000);
      m.World.People(1, age) = HeadCount::FromPersons(int64_t{100 - age} * 1'100);
    }
    for (int j = 3; j < 10; ++j) m.World.BirthRate(0, j) = m.World.BirthRate(19, j) = 60.0f;
    TakeCensus(m.Census, m.World, m, Frame().Display());
    m.PeakPopulation = m.Census.Total;
    m.WorldAtStart = m.World;
    Frame().MenuReset_Click();
    Frame().MenuStart_Click();
    for (int year = 0; year < 30; ++year) {
      Frame().TimerWorld().stop();
      Frame().TimerWorld_Timer();
    }
    Frame().TimerWorld().stop();
  }

  std::string Path(const std::string& name) const { return (folder.Path() / name).string(); }

  testing::TempFolder folder;
};

TEST_F(ResultFilesTest, TheMenuItemSavesTheFigureAsPngAndSvg) {
  platform_.savePaths.push_back(Path("japan.png"));
  Menus().MenuSaveFigure->trigger();
  ASSERT_EQ(platform_.saveDialogs.size(), 1u);
  EXPECT_EQ(fs::path(platform_.saveDialogs[0].suggested).filename(), "velmora-2030.png");
  EXPECT_TRUE(platform_.boxes.empty());
  EXPECT_EQ(platform_.beeps, 1);
  QImage png;
  ASSERT_TRUE(png.load(QString::fromStdString(Path("japan.png")), "PNG"));
  const FigureComposer composer(M(), {LiveYear(M()), Frame().Windows().Graph().size(),
                                      Frame().Windows().Pyramid().size(), Frame().Windows().Circle().size(), "", true});
  EXPECT_EQ(png.size(), 2 * composer.Layout().size);
  const std::string svg = testing::ReadText(Path("japan.svg"));
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  EXPECT_NE(svg.find("</svg>"), std::string::npos);
}

TEST_F(ResultFilesTest, TheFigureOfALookedBackYearIsThatYears) {
  FormGraph& graph = Frame().Windows().Graph();
  graph.Form_MouseMove(0, 0, 10.5f * static_cast<float>(int{M().ViewSize[0]}) / 101.0f, 100.0f);
  ASSERT_EQ(M().SelectedYear, 10);
  platform_.savePaths.push_back(Path("back"));
  Menus().MenuSaveFigure->trigger();
  EXPECT_EQ(fs::path(platform_.saveDialogs.at(0).suggested).filename(), "velmora-2010.png");
  EXPECT_NE(testing::ReadText(Path("back.svg")).find("西暦2010年の人口"), std::string::npos);
  EXPECT_TRUE(fs::is_regular_file(Path("back")));
}

TEST_F(ResultFilesTest, CancelWritesNothing) {
  Menus().MenuSaveFigure->trigger();
  EXPECT_EQ(platform_.saveDialogs.size(), 1u);
  EXPECT_TRUE(platform_.boxes.empty());
  EXPECT_EQ(platform_.beeps, 0);
  EXPECT_TRUE(fs::is_empty(folder.Path()));
}

// Paths that cannot take the figure: one message box, no beep, and the
// folder exactly as it was.
struct Refused {
  const char* name;
  void (*prepare)(const fs::path& folder);
  const char* path;
  const char* reason;
  bool unprivileged;
};

// Cases print by name (the structure's padding holds no value).
void PrintTo(const Refused& c, std::ostream* os) { *os << c.name; }

const Refused kRefused[] = {
    {"Folder", [](const fs::path& f) { fs::create_directory(f / "a.png"); }, "a.png", "フォルダか特殊なファイル",
     false},
    {"Fifo", [](const fs::path& f) { ASSERT_EQ(mkfifo((f / "a.png").c_str(), 0644), 0); }, "a.png",
     "フォルダか特殊なファイル", false},
    {"SvgBesideIsAFolder", [](const fs::path& f) { fs::create_directory(f / "a.svg"); }, "a.png",
     "フォルダか特殊なファイル", false},
    {"Link",
     [](const fs::path& f) {
       testing::WriteText(f / "target.png", "old");
       fs::create_symlink(f / "target.png", f / "a.png");
     },
     "a.png", "リンク", false},
    {"MissingFolder", [](const fs::path&) {}, "nowhere/a.png", "フォルダがありません", false},
    {"UnwritableFolder",
     [](const fs::path& f) {
       fs::create_directory(f / "ro");
       testing::WriteText(f / "ro/a.png", "old");
       fs::permissions(f / "ro", fs::perms::owner_read | fs::perms::owner_exec);
     },
     "ro/a.png", "", true},
};

class RefusedPathTest : public ResultFilesTest, public ::testing::WithParamInterface<Refused> {};

std::vector<std::string> Listing(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    names.push_back(entry.path().string() + (entry.is_regular_file() ? ":" + testing::ReadText(entry.path()) : ""));
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST_P(RefusedPathTest, OneBoxAndNothingWritten) {
  const Refused& r = GetParam();
  r.prepare(folder.Path());
  const std::vector<std::string> before = Listing(folder.Path());
  {
    std::unique_ptr<testing::UnprivilegedOwner> nobody;
    if (r.unprivileged) nobody = std::make_unique<testing::UnprivilegedOwner>(folder, folder.Path() / "ro");
    const FigureRequest request{LiveYear(M()),
                                Frame().Windows().Graph().size(),
                                Frame().Windows().Pyramid().size(),
                                Frame().Windows().Circle().size(),
                                "",
                                true};
    EXPECT_FALSE(SaveFigureFiles(M(), request, QString::fromStdString(Path(r.path))));
  }
  ASSERT_EQ(platform_.boxes.size(), 1u);
  EXPECT_EQ(platform_.boxes[0].title, "図を保存");
  EXPECT_NE(platform_.boxes[0].text.find(r.reason), std::string::npos) << platform_.boxes[0].text;
  EXPECT_EQ(platform_.boxes[0].icon, platform::Icon::Exclamation);
  EXPECT_EQ(platform_.beeps, 0);
  EXPECT_EQ(Listing(folder.Path()), before);
}

INSTANTIATE_TEST_SUITE_P(Paths, RefusedPathTest, ::testing::ValuesIn(kRefused),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ResultFileNames, SayWhatTheFileHolds) {
  EXPECT_EQ(FigureFileName("", 2050), "velmora-2050.png");
  EXPECT_EQ(FigureFileName("日本 1950年", 1980), "日本-1950年-1980.png");
  EXPECT_EQ(FigureFileName("a/b\\c:d\x01", 2000), "a-b-c-d--2000.png");
  EXPECT_EQ(CsvFileName("", 2000, 2050), "velmora-2000-2050.csv");
  EXPECT_EQ(SvgPathBeside("x/fig.PNG").toStdString(), "x/fig.svg");
  EXPECT_EQ(SvgPathBeside("x/fig").toStdString(), "x/fig.svg");
  EXPECT_EQ(SvgPathBeside("x/fig.png.txt").toStdString(), "x/fig.png.txt.svg");
}

}  // namespace
}  // namespace velmora
