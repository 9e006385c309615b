// Damaged preset files, loaded through the settings window's real buttons in
// the real frame: every short length, longer files, rates no table should
// hold, head counts at the ends of their range, and files that are not
// files at all. A failed load leaves the table as it was and creates
// nothing; whatever loads runs to "Finished" or to the explosion message.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QCoreApplication>
#include <QTest>
#include <QTimerEvent>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <deque>
#include <filesystem>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "model/Messages.h"
#include "scenario/FormSetting.h"
#include "scenario/core/FailureDialogue.h"
#include "scenario/core/ScenarioImage.h"
#include "scenario_core/TempFolder.h"
#include "support/FrameFixture.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using platform::Answer;
using Bytes = std::vector<unsigned char>;
using testing::WriteBytes;

constexpr int kPopulationButton = 2;
constexpr int kRatesButton = 3;
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// A population in which every count differs, so that a partial load shows.
WorldRecord Pattern(int64_t salt) {
  WorldRecord w;
  for (int i = 0; i < kSexes * kAges; ++i) w.people[i] = HeadCount::FromPersons(1000 + 37 * i + salt);
  for (int j = 0; j < kAgeClasses; ++j) {
    for (int period : {0, kPeriods - 1}) {
      w.BirthRate(period, j) = (j >= 3 && j <= 9) ? 50.0f + static_cast<float>(salt % 7) : 0.0f;
      w.DeathRate(period, 0, j) = 100.0f + 10.0f * j;
      w.DeathRate(period, 1, j) = 90.0f + 9.0f * j;
    }
  }
  return w;
}

Bytes PopulationBytes(const WorldRecord& w) {
  const PopulationImage image = EncodePopulation(w);
  Bytes bytes(image.size());
  std::memcpy(bytes.data(), image.data(), image.size());
  return bytes;
}

Bytes PopulationBytes(const std::vector<int64_t>& raws) {
  Bytes bytes;
  for (int i = 0; i < kSexes * kAges; ++i) {
    const auto value = static_cast<uint64_t>(raws[static_cast<std::size_t>(i) % raws.size()]);
    for (int b = 0; b < 8; ++b) bytes.push_back(static_cast<unsigned char>(value >> (8 * b)));
  }
  return bytes;
}

// 60 floats: births, then men's and women's deaths; each list repeated
// over its rows.
Bytes RateBytes(const std::vector<float>& births, const std::vector<float>& deaths) {
  Bytes bytes;
  for (int i = 0; i < 3 * kAgeClasses; ++i) {
    const bool birth = i < kAgeClasses;
    const std::vector<float>& row = birth ? births : deaths;
    const auto k = static_cast<std::size_t>(birth ? i : i - kAgeClasses);
    const auto bits = std::bit_cast<uint32_t>(row[k % row.size()]);
    for (int b = 0; b < 4; ++b) bytes.push_back(static_cast<unsigned char>(bits >> (8 * b)));
  }
  return bytes;
}

bool SameRates(const WorldRecord& a, const WorldRecord& b) {
  return std::memcmp(a.rates.data(), b.rates.data(), sizeof(float) * a.rates.size()) == 0;
}

class DamagedPresetsTest : public testing::FrameFixture {
 protected:
  void SetUp() override {
    FrameFixture::SetUp();
    M().AppPath = app.String();
    app.MakeData();
  }

  fs::path Data() const { return app.Path() / "Data"; }
  fs::path PopulationFile(int n) const { return Data() / ("STP" + std::to_string(n) + ".stp"); }
  fs::path RateFile(int n) const { return Data() / ("BRF" + std::to_string(n) + ".brf"); }
  FormSetting& Settings() { return Frame().Windows().Setting(); }

  // Everything under the program folder, with the size of each file.
  std::set<std::string> Listing() const {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(app.Path())) {
      std::error_code ignored;
      const auto size = entry.is_regular_file(ignored) ? fs::file_size(entry.path(), ignored) : 0;
      names.insert(entry.path().string() + " " + std::to_string(size));
    }
    return names;
  }

  // A click on a load button with preset 1 selected; the boxes it shows are
  // answered from answers (Yes skips in the unexpected-error box, No skips in
  // the retry boxes). Returns the texts of the boxes shown.
  std::vector<std::string> Load(int button, std::deque<Answer> answers = {}) {
    (button == kPopulationButton ? Settings().ComboStartPop() : Settings().ComboBRFunc())->setCurrentIndex(1);
    platform_.boxes.clear();
    platform_.answers = std::move(answers);
    beepsBefore_ = platform_.beeps;
    QTest::mouseClick(Settings().CommandSave(button), Qt::LeftButton);
    QCoreApplication::sendPostedEvents();
    std::vector<std::string> texts;
    for (const auto& box : platform_.boxes) texts.push_back(box.text);
    return texts;
  }
  int BeepsSinceLoad() const { return platform_.beeps - beepsBefore_; }

  static std::string BoxFor(int code) { return MessageForFailure(code).text; }

  // A clock tick as the event loop delivers it, through the guard.
  void Tick(QTimer& timer) {
    QCoreApplication::postEvent(&timer, new QTimerEvent(timer.timerId()));
    QCoreApplication::sendPostedEvents();
  }
  void Choose(QAction* item) {
    QMetaObject::invokeMethod(item, &QAction::trigger, Qt::QueuedConnection);
    QCoreApplication::sendPostedEvents();
  }
  // The Reset that a population load asks for, run from the event loop.
  void RunRequestedReset() {
    ASSERT_TRUE(Frame().TimerMenu().isActive());
    Tick(Frame().TimerMenu());
    EXPECT_EQ(M().RunState, kIdle);
  }

  // The program as it starts, for the next case (a Reset would carry over
  // what it cannot show).
  void FreshProgram() {
    Frame().TimerWorld().stop();
    Frame().TimerMenu().stop();
    frame_.reset();
    m_ = std::make_unique<ModulePopulation>();
    frame_ = std::make_unique<MDIFormMain>(*m_);
    frame_->OpenFrame();
    M().AppPath = app.String();
    platform_.boxes.clear();
  }

  std::vector<std::string> UnexpectedErrorsSince(std::size_t first) const {
    std::vector<std::string> texts;
    for (std::size_t i = first; i < platform_.boxes.size(); ++i) {
      if (platform_.boxes[i].title == kUnexpectedErrorTitle) texts.push_back(platform_.boxes[i].text);
    }
    return texts;
  }

  int CountBoxes(const char* title) const {
    int n = 0;
    for (const auto& box : platform_.boxes) n += box.title == title ? 1 : 0;
    return n;
  }

  // Start from the menu and let the clock tick until it stops by itself;
  // the run must end in "Finished" or in the explosion message, and nothing
  // may reach the unexpected-error box.
  void RunToAnOrdinaryEnd(const std::string& what) {
    platform_.boxes.clear();
    ASSERT_TRUE(Menus().MenuStart->isEnabled());
    Choose(Menus().MenuStart);
    int ticks = 0;
    while (Frame().TimerWorld().isActive() && ticks < 105) {
      Tick(Frame().TimerWorld());
      ++ticks;
    }
    EXPECT_FALSE(Frame().TimerWorld().isActive()) << what << ": the clock never stopped";
    EXPECT_GE(M().ElapsedYears, 0) << what;
    EXPECT_LE(M().ElapsedYears, 100) << what;
    const bool exploded = M().Exploded == 1;
    if (exploded) {
      EXPECT_GE(CountBoxes(kExplosionTitle), 1) << what << ": stopped by explosion without the message";
    } else {
      EXPECT_EQ(PyramidInfo(), "Finished") << what;
    }
    EXPECT_EQ(UnexpectedErrorsSince(0), std::vector<std::string>{}) << what;
  }

  testing::TempFolder app;
  int beepsBefore_ = 0;
};

TEST_F(DamagedPresetsTest, PopulationFileOfEveryShortLengthIsReportedAndLeavesTheTable) {
  const Bytes full = PopulationBytes(Pattern(5));
  const WorldRecord base = Pattern(900);
  for (std::size_t length = 0; length < kPopulationFileBytes; ++length) {
    WriteBytes(PopulationFile(1), Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length)));
    M().World = base;
    const WorldRecord start = M().WorldAtStart;
    const auto listing = Listing();
    const auto boxes = Load(kPopulationButton, {Answer::Yes});
    ASSERT_EQ(boxes, std::vector<std::string>{BoxFor(kInputPastEnd)}) << "length " << length;
    ASSERT_EQ(M().World.people, base.people) << "length " << length;
    // Nothing was read: the start of the run stays, no Reset, no beep.
    ASSERT_EQ(M().WorldAtStart, start) << "length " << length;
    ASSERT_FALSE(Frame().TimerMenu().isActive()) << "length " << length;
    ASSERT_EQ(BeepsSinceLoad(), 0) << "length " << length;
    ASSERT_EQ(Listing(), listing) << "length " << length;
    ASSERT_EQ(platform_.programEnds, 0);
  }
}

TEST_F(DamagedPresetsTest, PopulationFileOfTheRecordSizeOrLongerLoadsItsRecord) {
  const WorldRecord file = Pattern(5);
  const Bytes record = PopulationBytes(file);
  for (std::size_t extra : {std::size_t{0}, std::size_t{1}, std::size_t{7}, std::size_t{1} << 20}) {
    Bytes bytes = record;
    bytes.resize(record.size() + extra, 0xA5);
    WriteBytes(PopulationFile(1), bytes);
    M().World = Pattern(900);
    const auto listing = Listing();
    EXPECT_TRUE(Load(kPopulationButton).empty()) << "extra " << extra;
    EXPECT_EQ(M().World.people, file.people) << "extra " << extra;
    EXPECT_EQ(BeepsSinceLoad(), 1);
    EXPECT_EQ(Listing(), listing) << "a load wrote to its file";
    RunRequestedReset();
    EXPECT_EQ(M().World.people, file.people);
  }
}

TEST_F(DamagedPresetsTest, RateFileOfEveryLengthLoadsOnlyAWholeRecord) {
  std::vector<float> births(kAgeClasses);
  std::vector<float> deaths(2 * kAgeClasses);
  for (int j = 0; j < kAgeClasses; ++j) births[static_cast<std::size_t>(j)] = 1.5f + j;
  for (int j = 0; j < 2 * kAgeClasses; ++j) deaths[static_cast<std::size_t>(j)] = 300.25f + j;
  const Bytes record = RateBytes(births, deaths);  // 60 different values
  const WorldRecord base = Pattern(3);
  for (std::size_t length = 0; length <= kRateFileBytes + 1; ++length) {
    Bytes bytes(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(std::min(length, record.size())));
    bytes.resize(length, 0x7F);
    WriteBytes(RateFile(1), bytes);
    M().World = base;
    const auto listing = Listing();
    const auto boxes = Load(kRatesButton, {Answer::Yes});
    if (length < kRateFileBytes) {
      ASSERT_EQ(boxes, std::vector<std::string>{BoxFor(kInputPastEnd)}) << "length " << length;
      ASSERT_TRUE(SameRates(M().World, base)) << "length " << length;
    } else {
      ASSERT_TRUE(boxes.empty()) << "length " << length;
      for (int j = 0; j < kAgeClasses; ++j) {
        ASSERT_EQ(M().World.BirthRate(0, j), births[static_cast<std::size_t>(j)]);
        ASSERT_EQ(M().World.DeathRate(0, 0, j), deaths[static_cast<std::size_t>(j)]);
        ASSERT_EQ(M().World.DeathRate(0, 1, j), deaths[static_cast<std::size_t>(kAgeClasses + j)]);
      }
    }
    ASSERT_EQ(M().World.people, base.people);
    ASSERT_EQ(Listing(), listing) << "length " << length;
    ASSERT_EQ(platform_.programEnds, 0);
  }
  // Much longer: the record, then a megabyte that is ignored.
  Bytes longer = record;
  longer.resize(record.size() + (std::size_t{1} << 20), 0xFF);
  WriteBytes(RateFile(1), longer);
  M().World = base;
  EXPECT_TRUE(Load(kRatesButton).empty());
  EXPECT_EQ(M().World.BirthRate(0, 19), births.back());
}

TEST_F(DamagedPresetsTest, RatesNoTableShouldHoldLoadAndRunToAnOrdinaryEnd) {
  const float kFloatMax = std::numeric_limits<float>::max();
  const float kTiny = std::numeric_limits<float>::denorm_min();
  struct Case {
    const char* name;
    std::vector<float> births;
    std::vector<float> deaths;
    int table;  // 0 start, 1 end
  };
  const std::vector<Case> cases = {
      {"NaN everywhere", {kNaN}, {kNaN}, 0},
      {"NaN deaths only", {40.0f}, {kNaN, 100.0f}, 0},
      {"infinite births", {kInf}, {100.0f}, 0},
      {"minus infinite deaths", {40.0f}, {-kInf}, 0},
      {"infinite deaths", {40.0f}, {kInf}, 0},
      {"1e38 everywhere", {1e38f}, {1e38f}, 0},
      {"largest float births, end table", {kFloatMax}, {10.0f}, 1},
      {"negative births", {-1e6f}, {100.0f}, 0},
      {"negative deaths", {40.0f}, {-100000.0f}, 0},
      {"everybody dies", {40.0f}, {100000.0f}, 0},
      {"just above everybody", {0.0f}, {100000.5f}, 0},
      {"denormals", {kTiny}, {kTiny}, 0},
      {"huge births into the end table", {1e30f, 0.0f}, {1.0f}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FreshProgram();
    M().World = Pattern(11);
    Choose(Frame().Windows().Pyramid().Menus().MenuBefAft[static_cast<std::size_t>(c.table)]);
    ASSERT_EQ(M().RateSelector, c.table);
    // Doubling and the longest linear change reach the extremes fastest.
    M().World.VariationFunc(0) = kDouble10;
    M().World.VariationFunc(1) = kLinear100;
    WriteBytes(RateFile(1), RateBytes(c.births, c.deaths));
    ASSERT_TRUE(Load(kRatesButton).empty());
    const int period = 19 * c.table;
    EXPECT_EQ(std::bit_cast<uint32_t>(M().World.BirthRate(period, 0)), std::bit_cast<uint32_t>(c.births[0]));
    EXPECT_EQ(std::bit_cast<uint32_t>(M().World.DeathRate(period, 0, 0)), std::bit_cast<uint32_t>(c.deaths[0]));
    RunToAnOrdinaryEnd(c.name);
  }
}

TEST_F(DamagedPresetsTest, HeadCountsAtTheEndsOfTheRangeLoadAndRunToAnOrdinaryEnd) {
  const int64_t kMax = HeadCount::kMaxRaw;
  struct Case {
    const char* name;
    std::vector<int64_t> raws;  // repeated over the 200 counts
  };
  const std::vector<Case> cases = {
      {"every count the largest", {kMax}},
      {"every count the smallest", {-kMax}},
      {"largest and smallest alternating", {kMax, -kMax}},
      {"a 200th of the largest each", {kMax / 200}},
      {"just under a 200th each", {kMax / 200 - 10'000}},
      {"one person and the largest", {10'000, 10'000, 10'000, kMax}},
      {"fractions of persons", {1, 4'999, 5'000, 5'001, 9'999}},
      {"minus one person each", {-10'000}},
      {"zero", {0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FreshProgram();
    M().World = Pattern(21);
    WriteBytes(PopulationFile(1), PopulationBytes(c.raws));
    // The census of the load may explode, and 1.25 x its total may not fit:
    // that step's box goes on.
    Load(kPopulationButton, {Answer::Yes, Answer::Yes});
    EXPECT_EQ(M().World.people[0].Raw(), c.raws[0]);
    EXPECT_EQ(M().World.people[199].Raw(), c.raws[199 % c.raws.size()]);
    EXPECT_EQ(M().WorldAtStart.people, M().World.people);
    // Started straight away: the Reset the load asks for has a test of its own.
    Frame().TimerMenu().stop();
    RunToAnOrdinaryEnd(c.name);
    EXPECT_EQ(M().WorldHistory[0].people[0].Raw(), c.raws[0]);
  }
}

// The figures Reset shows (the mean death rate above all) can leave the
// head-count range for a loaded population or rate table; that must not
// escape the menu command as an unexpected error.
TEST_F(DamagedPresetsTest, ResetAfterLoadingAHugePopulationStaysInsideTheCommand) {
  WriteBytes(PopulationFile(1), PopulationBytes({HeadCount::kMaxRaw / 200}));
  M().World = Pattern(21);
  Load(kPopulationButton, {Answer::Yes});
  const std::size_t before = platform_.boxes.size();
  RunRequestedReset();
  EXPECT_EQ(UnexpectedErrorsSince(before), std::vector<std::string>{});
  EXPECT_EQ(M().World.people[0].Raw(), HeadCount::kMaxRaw / 200);
}

TEST_F(DamagedPresetsTest, ResetWithNonFiniteDeathRatesStaysInsideTheCommand) {
  M().World = Pattern(30);
  for (float rate : {kNaN, kInf}) {
    WriteBytes(RateFile(1), RateBytes({40.0f}, {rate}));
    ASSERT_TRUE(Load(kRatesButton).empty());
    // Start keeps the loaded table for the Reset that follows.
    ASSERT_TRUE(Menus().MenuStart->isEnabled());
    Choose(Menus().MenuStart);
    const std::size_t before = platform_.boxes.size();
    Choose(Menus().MenuReset);
    EXPECT_EQ(UnexpectedErrorsSince(before), std::vector<std::string>{}) << "death rate " << rate;
    EXPECT_EQ(M().RunState, kIdle);
  }
}

TEST_F(DamagedPresetsTest, CountOutsideTheRangeIsRefusedAndLeavesTheTable) {
  // -2^63 has no place in the symmetric range.
  std::vector<int64_t> raws(kSexes * kAges, 10'000 * 500);
  raws[77] = std::numeric_limits<int64_t>::min();
  WriteBytes(PopulationFile(1), PopulationBytes(raws));
  const WorldRecord base = Pattern(4);
  M().World = base;
  const auto listing = Listing();
  EXPECT_EQ(Load(kPopulationButton, {Answer::Yes}), std::vector<std::string>{BoxFor(kOverflow)});
  EXPECT_EQ(M().World.people, base.people);
  EXPECT_EQ(Listing(), listing);
  EXPECT_EQ(platform_.programEnds, 0);
}

TEST_F(DamagedPresetsTest, FolderInPlaceOfTheFileIsAPathErrorAndLeavesTheTable) {
  fs::create_directory(PopulationFile(1));
  fs::create_directory(RateFile(1));
  const WorldRecord base = Pattern(8);
  M().World = base;
  const auto listing = Listing();
  // No skips the retry box; the read then finds no open file.
  const auto population = Load(kPopulationButton, {Answer::No, Answer::Yes});
  ASSERT_FALSE(population.empty());
  EXPECT_EQ(population.front(), BoxFor(kPathFileAccessError));
  const auto rates = Load(kRatesButton, {Answer::No, Answer::Yes});
  ASSERT_FALSE(rates.empty());
  EXPECT_EQ(rates.front(), BoxFor(kPathFileAccessError));
  EXPECT_EQ(M().World.people, base.people);
  EXPECT_TRUE(SameRates(M().World, base));
  EXPECT_EQ(Listing(), listing);
  EXPECT_TRUE(fs::is_directory(PopulationFile(1)));
  EXPECT_EQ(platform_.programEnds, 0);
}

TEST_F(DamagedPresetsTest, MissingDataFolderIsReportedAndNothingIsCreated) {
  fs::remove_all(Data());
  const WorldRecord base = Pattern(6);
  M().World = base;
  for (int button : {kPopulationButton, kRatesButton}) {
    // No skips the open; Yes goes on past the read that finds no open file.
    EXPECT_EQ(Load(button, {Answer::No, Answer::Yes}),
              (std::vector<std::string>{BoxFor(kPathNotFound), BoxFor(kBadFileNumber)}));
    EXPECT_EQ(BeepsSinceLoad(), 0);  // a skipped step is no success
  }
  EXPECT_EQ(M().World.people, base.people);
  EXPECT_TRUE(SameRates(M().World, base));
  EXPECT_FALSE(fs::exists(Data()));
  EXPECT_EQ(platform_.programEnds, 0);
}

TEST_F(DamagedPresetsTest, FileThatCannotBeReadIsReportedAndLeavesTheTable) {
  // Reading a process's own memory at offset 0 fails for every user (nothing
  // is mapped there); a loop of links cannot even be opened.
  fs::create_symlink("/proc/self/mem", PopulationFile(1));
  fs::create_symlink(RateFile(1).string() + ".loop", RateFile(1));
  fs::create_symlink(RateFile(1), RateFile(1).string() + ".loop");
  const WorldRecord base = Pattern(2);
  M().World = base;
  const auto listing = Listing();
  // Retry once, then skip; the unexpected-error box after a skipped open goes on.
  const auto population = Load(kPopulationButton, {Answer::Yes, Answer::No, Answer::Yes});
  ASSERT_GE(population.size(), 2u);
  EXPECT_EQ(population[0], population[1]) << "a retry fails the same way";
  const auto rates = Load(kRatesButton, {Answer::No, Answer::Yes});
  ASSERT_FALSE(rates.empty());
  EXPECT_EQ(M().World.people, base.people);
  EXPECT_TRUE(SameRates(M().World, base));
  EXPECT_EQ(Listing(), listing);
  EXPECT_EQ(platform_.programEnds, 0);
  if (geteuid() != 0) {
    // Where permissions hold, a file without read permission as well.
    fs::remove(PopulationFile(1));
    WriteBytes(PopulationFile(1), PopulationBytes(Pattern(50)));
    fs::permissions(PopulationFile(1), fs::perms::none);
    EXPECT_EQ(Load(kPopulationButton, {Answer::No, Answer::Yes}).front(), BoxFor(kPermissionDenied));
    EXPECT_EQ(M().World.people, base.people);
  }
}

}  // namespace
}  // namespace velmora
