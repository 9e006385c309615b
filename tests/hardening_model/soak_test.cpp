// Model soak: many random scenarios, each run to its end exactly as the world
// clock drives it (Start, then one yearly step per tick until the run is
// finished, has died out or has exploded). No failure may escape a step, and
// the run's bookkeeping must hold after every year.
//
// The CI run is seeded and bounded; a longer campaign is one command:
//   VELMORA_SOAK_SCENARIOS=100000 VELMORA_SOAK_SEED=7 build/tests/hardening_model_soak_test
// A failing scenario is reported with its seed and number; replay it alone
// with VELMORA_SOAK_ONLY=<number> and the same seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "model/Census.h"
#include "model/Messages.h"
#include "model/Run.h"
#include "model/RunControl.h"

namespace velmora {
namespace {

constexpr int kCodePairs = kVariationCodes * kVariationCodes;

int64_t EnvInt(const char* name, int64_t fallback) {
  const char* text = std::getenv(name);
  if (text == nullptr || *text == '\0') return fallback;
  return std::strtoll(text, nullptr, 10);
}

// splitmix64: the same sequence from the same seed with every compiler and
// library (the standard distributions are not specified bit for bit).
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
  double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
  bool Percent(int p) { return Below(100) < p; }
  // Spread evenly over the orders of magnitude from 1 to max.
  double LogUniform(double max) { return std::exp(Unit() * std::log(max)); }

 private:
  uint64_t state_;
};

// Every call the model makes on the windows, kept only as far as the checks
// need it.
class SoakDisplay : public ModelDisplay {
 public:
  void ShowMessage(const std::string& text, const std::string& title) override {
    if (text == kExplosionText && title == kExplosionTitle) {
      ++explosions;
    } else {
      other.push_back(title + ": " + text);
    }
    lastWasMessage = true;
  }
  void SetControllerLabel(int index, const std::string& caption) override {
    ++refreshCalls;
    if (index == 0) yearLabel = caption;
    lastWasMessage = false;
  }
  void SetGraphPenWidth(int) override { Refresh(); }
  void DrawGraphColumn(Int16 column, const WorldRecord&, HeadCount) override {
    graphColumn = column;
    Refresh();
  }
  void ClearGraph() override { Refresh(); }
  void ClearPyramid() override { Refresh(); }
  void ClearCircle() override { Refresh(); }
  void DrawPyramid(Int16, const WorldRecord&, const CensusRecord&) override { Refresh(); }
  void DrawAgeCircle(const CensusRecord&, const WorldRecord&) override { Refresh(); }

  void Refresh() {
    ++refreshCalls;
    lastWasMessage = false;
  }

  int explosions = 0;
  std::vector<std::string> other;  // any message but the explosion
  int refreshCalls = 0;
  bool lastWasMessage = false;
  std::string yearLabel;
  int graphColumn = -1;
};

// ------------------------------------------------------------ generation

HeadCount RandomRaw(Random& r) {
  const auto raw = static_cast<int64_t>(r.Next() >> 1);  // 0..INT64_MAX
  return HeadCount::FromRaw(r.Percent(20) ? -raw : raw);
}

HeadCount WholePersons(double persons) { return HeadCount::FromPersons(static_cast<int64_t>(std::floor(persons))); }

// One of several shapes of population, from empty to the edges of the
// HeadCount range.
void FillPopulation(Random& r, WorldRecord& w, std::string& shape) {
  const int kind = r.Below(9);
  for (int i = 0; i < kSexes * kAges; ++i) w.people[i] = HeadCount();
  switch (kind) {
    case 0:
      shape = "empty";
      break;
    case 1:
      shape = "ordinary";
      for (auto& count : w.people) count = WholePersons(r.Unit() * 1e6);
      break;
    case 2:
      shape = "large";
      for (auto& count : w.people) count = WholePersons(r.LogUniform(1e13));
      break;
    case 3:
      shape = "sparse";
      for (int k = 0; k < 5; ++k) w.people[r.Below(kSexes * kAges)] = HeadCount::FromPersons(1 + r.Below(10));
      break;
    case 4:
      shape = "every age near the top of the range";
      for (auto& count : w.people)
        count = HeadCount::FromRaw(HeadCount::kMaxRaw - static_cast<int64_t>(r.Next() >> 40));
      break;
    case 5: {
      shape = "one age at the top of the range";
      const int age = r.Below(kAges);
      for (int s = 0; s < kSexes; ++s) w.People(s, age) = HeadCount::FromRaw(HeadCount::kMaxRaw / (1 + r.Below(3)));
      break;
    }
    case 6:
      shape = "any raw value, either sign";
      for (auto& count : w.people) count = RandomRaw(r);
      break;
    case 7:
      shape = "fractions of persons";
      for (auto& count : w.people) count = HeadCount::FromRaw(static_cast<int64_t>(r.Next() % 100'000'000'000ULL));
      break;
    default:
      shape = "magnitudes up to the range";
      for (auto& count : w.people) count = WholePersons(r.LogUniform(9.2e14));
      break;
  }
}

float OrdinaryBirthRate(Random& r) { return static_cast<float>(r.Unit() * 200.0); }
float OrdinaryDeathRate(Random& r) { return static_cast<float>(r.LogUniform(20'000.0)); }

// Rates at and past the model's corners: 0, the 100,000 that leaves nobody,
// above it, negative, huge, and what a damaged rate file can hold.
float CornerRate(Random& r) {
  constexpr float kInf = std::numeric_limits<float>::infinity();
  switch (r.Below(11)) {
    case 0:
      return 0.0f;
    case 1:
      return 100'000.0f;
    case 2:
      return 100'000.0f + static_cast<float>(r.LogUniform(1e6));
    case 3:
      return static_cast<float>(r.LogUniform(1e30));
    case 4:
      return std::numeric_limits<float>::max();
    case 5:
      return -static_cast<float>(r.LogUniform(1e6));
    case 6:
      return std::numeric_limits<float>::quiet_NaN();
    case 7:
      return r.Percent(50) ? kInf : -kInf;
    case 8:
      return std::numeric_limits<float>::denorm_min();
    case 9:
      return 99'999.5f;
    default:
      return 1e38f;
  }
}

void FillRates(Random& r, WorldRecord& w, std::string& shape) {
  const int kind = r.Below(10);
  // 0..3 ordinary, 4..7 ordinary with corners sprinkled in, 8..9 corners only.
  const int cornerPercent = kind < 4 ? 0 : kind < 8 ? 5 : 100;
  shape = cornerPercent == 0 ? "ordinary rates" : cornerPercent == 100 ? "corner rates" : "some corner rates";
  for (int period : {0, kPeriods - 1}) {
    for (int j = 0; j < kAgeClasses; ++j) {
      w.BirthRate(period, j) = r.Percent(cornerPercent) ? CornerRate(r) : OrdinaryBirthRate(r);
      for (int s = 0; s < kSexes; ++s) {
        w.DeathRate(period, s, j) = r.Percent(cornerPercent) ? CornerRate(r) : OrdinaryDeathRate(r);
      }
    }
  }
  // The periods between are rewritten by Start; leave something in them
  // that would show if it were not.
  for (int period = 1; period < kPeriods - 1; ++period) {
    for (int j = 0; j < kAgeClasses; ++j) w.BirthRate(period, j) = -7.0f;
  }
}

struct Scenario {
  WorldRecord world;
  int birthCode = 0;
  int deathCode = 0;
  std::string shape;
};

Scenario MakeScenario(uint64_t seed, int number) {
  Random r(seed ^ (0xD1B54A32D192ED03ULL * static_cast<uint64_t>(number + 1)));
  Scenario s;
  // Consecutive numbers walk through every pair of codes.
  s.birthCode = number % kVariationCodes;
  s.deathCode = (number / kVariationCodes) % kVariationCodes;
  std::string population;
  std::string rates;
  FillPopulation(r, s.world, population);
  FillRates(r, s.world, rates);
  s.world.VariationFunc(0) = s.birthCode;
  s.world.VariationFunc(1) = s.deathCode;
  s.shape = population + ", " + rates;
  return s;
}

// ------------------------------------------------------------ running

enum class Ending { kFinished, kDiedOut, kExploded };

bool AllWhole(const WorldRecord& w) {
  for (const HeadCount& count : w.people) {
    if (count.Raw() % HeadCount::kScale != 0) return false;
  }
  return true;
}

bool SameRates(const WorldRecord& a, const WorldRecord& b) {
  // Bitwise, so that NaN rates compare equal to themselves.
  return std::memcmp(a.rates.data(), b.rates.data(), sizeof(float) * a.rates.size()) == 0 &&
         a.variationFunc == b.variationFunc;
}

bool SameRecord(const WorldRecord& a, const WorldRecord& b) { return a.people == b.people && SameRates(a, b); }

// The exact sum of the head counts, or false when it leaves the range.
bool ExactTotal(const WorldRecord& w, HeadCount& total) {
  __int128 sum = 0;
  for (const HeadCount& count : w.people) sum += count.Raw();
  if (sum > HeadCount::kMaxRaw || sum < HeadCount::kMinRaw) return false;
  total = HeadCount::FromRaw(static_cast<int64_t>(sum));
  return true;
}

bool HistoryBlankAfter(const ModulePopulation& m, int year) {
  for (int n = year + 1; n < kHistoryYears; ++n) {
    if (!SameRecord(m.WorldHistory[n], m.WorldBlank)) return false;
  }
  return true;
}

struct Outcome {
  Ending ending = Ending::kFinished;
  int years = 0;
  HeadCount total;
  HeadCount peak;
  bool operator==(const Outcome&) const = default;
};

// Runs one scenario as Start and the world clock do; every broken rule is
// added to problems.
Outcome RunScenario(const Scenario& s, std::vector<std::string>& problems) {
  auto fail = [&problems](const std::string& what) { problems.push_back(what); };
  auto model = std::make_unique<ModulePopulation>();
  ModulePopulation& m = *model;
  SoakDisplay display;
  m.StartYear = 2000;
  m.Capacity = HeadCount::FromPersons(100'000'000);
  m.World = s.world;
  RunControl control(m, display);

  control.Start();
  if (!SameRecord(m.WorldAtStart, s.world)) fail("Start did not keep the tables as they were in WorldAtStart");
  if (!SameRecord(m.WorldHistory[0], s.world)) fail("Start did not store year 0 before the schedule");
  if (m.World.people != s.world.people) fail("Start changed the population");
  if (!HistoryBlankAfter(m, 0)) fail("history after year 0 not blank at Start");
  if ((m.Exploded == 1) != (display.explosions > 0)) fail("explosion flag and message disagree at Start");

  Outcome out;
  for (int tick = 0;; ++tick) {
    if (tick > 101) {
      fail("the clock kept ticking after 100 years");
      break;
    }
    const WorldRecord before = m.World;
    const int year = m.ElapsedYears;
    const int explosionsBefore = display.explosions;
    const bool explodedBefore = m.Exploded == 1;
    const int callsBefore = display.refreshCalls;
    const HeadCount peakBefore = m.PeakPopulation;

    const TickResult result = control.Tick();
    if (result == TickResult::kDiedOut || result == TickResult::kFinished) {
      if (m.RunCenturies != 0) fail("the end of the run left RunCenturies set");
      if ((result == TickResult::kDiedOut) != (m.Census.Total <= HeadCount())) fail("died out with people left");
      if (result == TickResult::kFinished && m.ElapsedYears != 100) fail("finished before year 100");
      if (!SameRecord(m.World, before) || m.ElapsedYears != year) fail("the end of the run moved the world");
      out.ending = result == TickResult::kDiedOut ? Ending::kDiedOut : Ending::kFinished;
      break;
    }
    if (m.PeakPopulation != std::max(peakBefore, m.Census.Total)) fail("the peak is not the largest total");

    const int now = m.ElapsedYears;
    const std::string at = " (year " + std::to_string(year) + ")";
    if (now < 0 || now > 100) fail("ElapsedYears left 0..100" + at);
    if (!SameRates(m.World, before)) fail("the step changed a rate table" + at);
    if (now == year) {
      // Only an overflow in the step's own arithmetic keeps the year, and
      // then nothing of the step is kept.
      if (m.Exploded != 1 || display.explosions != explosionsBefore + 1)
        fail("a step without a year and no explosion" + at);
      if (m.World.people != before.people) fail("an overflowing step kept part of its work" + at);
    } else if (now == year + 1) {
      if (!SameRecord(m.WorldHistory[now], m.World)) fail("WorldHistory(year) is not the new World" + at);
      if (!AllWhole(m.World)) fail("the step left a fraction of a person" + at);
      if (m.Exploded == 0) {
        HeadCount exact;
        if (!ExactTotal(m.World, exact) || exact != m.Census.Total) fail("census total is not the sum" + at);
        if (display.refreshCalls - callsBefore != 10) fail("the display was not refreshed in full" + at);
        if (display.yearLabel != std::to_string(2000 + now) + " ") fail("year label " + display.yearLabel + at);
        if (display.graphColumn != now) fail("graph column is not the year" + at);
      } else if (!explodedBefore) {
        if (display.explosions <= explosionsBefore || !display.lastWasMessage) {
          fail("exploded without the message as the last call" + at);
        }
      }
    } else {
      fail("the step moved the year from " + std::to_string(year) + " to " + std::to_string(now));
    }
    if ((result == TickResult::kExploded) != (m.Exploded != 0)) fail("the tick and the explosion flag disagree" + at);
    if (m.Exploded != 0) {
      out.ending = Ending::kExploded;
      break;
    }
  }
  out.years = m.ElapsedYears;
  out.total = m.Census.Total;
  out.peak = m.PeakPopulation;
  if (!HistoryBlankAfter(m, m.ElapsedYears)) fail("a history entry after the last year is not blank");
  for (const std::string& message : display.other) fail("unexpected message " + message);
  if (out.ending == Ending::kExploded && display.explosions == 0) fail("exploded without the message");
  if (out.ending != Ending::kExploded && m.Exploded == 0 && display.explosions != 0) {
    fail("explosion message without the flag");
  }
  if (out.ending == Ending::kFinished && m.ElapsedYears != 100) fail("finished before year 100");
  return out;
}

const char* EndingName(Ending e) {
  switch (e) {
    case Ending::kFinished:
      return "finished";
    case Ending::kDiedOut:
      return "died out";
    case Ending::kExploded:
      return "exploded";
  }
  return "?";
}

// ------------------------------------------------------------ the soak

TEST(ModelSoakTest, RandomScenariosEachRunToFinishedDiedOutOrExplosion) {
  const auto seed = static_cast<uint64_t>(EnvInt("VELMORA_SOAK_SEED", 20261207));
  const int count = static_cast<int>(EnvInt("VELMORA_SOAK_SCENARIOS", 1000));
  const int only = static_cast<int>(EnvInt("VELMORA_SOAK_ONLY", -1));
  std::vector<bool> pairSeen(kCodePairs, false);
  int endings[3] = {0, 0, 0};
  int failedScenarios = 0;

  for (int number = 0; number < count; ++number) {
    if (only >= 0 && number != only) continue;
    const Scenario s = MakeScenario(seed, number);
    pairSeen[s.birthCode * kVariationCodes + s.deathCode] = true;
    std::vector<std::string> problems;
    try {
      const Outcome first = RunScenario(s, problems);
      ++endings[static_cast<int>(first.ending)];
      // Every 20th scenario again from scratch: a seeded run must be repeatable.
      if (number % 20 == 0) {
        std::vector<std::string> again;
        if (!(RunScenario(s, again) == first))
          problems.push_back("a second run of the same scenario ended differently");
      }
    } catch (const Failure& f) {
      problems.push_back("Failure{" + std::to_string(f.code) + "} escaped the run");
    } catch (const std::exception& e) {
      problems.push_back(std::string("exception escaped the run: ") + e.what());
    }
    if (!problems.empty() && ++failedScenarios <= 20) {
      std::ostringstream report;
      report << "scenario " << number << " (VELMORA_SOAK_SEED=" << seed << " VELMORA_SOAK_ONLY=" << number
             << "), codes " << s.birthCode << "/" << s.deathCode << ", " << s.shape << ":";
      for (const std::string& p : problems) report << "\n  " << p;
      ADD_FAILURE() << report.str();
    }
  }
  EXPECT_EQ(failedScenarios, 0);
  std::cout << "[ soak ] seed " << seed << ", " << count << " scenarios: " << endings[0] << " "
            << EndingName(Ending::kFinished) << ", " << endings[1] << " " << EndingName(Ending::kDiedOut) << ", "
            << endings[2] << " " << EndingName(Ending::kExploded) << "\n";
  if (only < 0 && count >= kCodePairs) {
    for (int pair = 0; pair < kCodePairs; ++pair) EXPECT_TRUE(pairSeen[pair]) << "code pair " << pair << " not run";
  }
  if (only < 0 && count >= 200) {
    // A soak that never reaches one of the endings has lost its reach.
    EXPECT_GT(endings[0], 0);
    EXPECT_GT(endings[1], 0);
    EXPECT_GT(endings[2], 0);
  }
}

}  // namespace
}  // namespace velmora
