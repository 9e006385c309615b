// Monkey test: a seeded random sequence of real user events against the real
// frame, with dialogs answered at random (but never so that the program
// ends). Every event goes through the application's event delivery, so a
// failure that escapes a handler meets the same guard as in the program.
// The two timers never fire on their own: their ticks are events of the
// sequence, which keeps a seed's run the same every time.
//
//   VELMORA_MONKEY_SEEDS   seeds to run: "1-10" (the default), "7" or "3,8,12"
//   VELMORA_MONKEY_EVENTS  user events per seed (default 10,000)
//   VELMORA_MONKEY_MAX_SIZE the largest side a window is resized to (default
//                          2,600: beyond the screen and beyond what 16-bit
//                          twips hold; the long campaign goes to 4,000)
//   VELMORA_MONKEY_TRACE=1 prints every event as it is sent
//   VELMORA_MONKEY_KEEP_GOING=1 runs every event even after the first problem
//                          (the seed still fails; the summary counts them all)
// scripts/monkey.sh runs the long campaign.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "frame/MDIFormMain.h"
#include "hardening/Presets.h"
#include "model/Messages.h"
#include "model/ModulePopulation.h"
#include "platform/Platform.h"
#include "scenario/FormSetting.h"
#include "scenario/core/FailureDialogue.h"
#include "scenario_core/TempFolder.h"
#include "views/FormCircle.h"
#include "views/FormGraph.h"
#include "views/FormPyramid.h"
#include "views/FormText.h"

namespace velmora {
namespace {

int64_t EnvInt(const char* name, int64_t fallback) {
  const char* text = std::getenv(name);
  if (text == nullptr || *text == '\0') return fallback;
  return std::strtoll(text, nullptr, 10);
}

// "1-10", "7", "3,8,12".
std::vector<int> SeedsFromEnvironment() {
  const char* text = std::getenv("VELMORA_MONKEY_SEEDS");
  std::string seedList = text != nullptr && *text != '\0' ? text : "1-10";
  std::vector<int> seeds;
  std::stringstream parts(seedList);
  std::string part;
  while (std::getline(parts, part, ',')) {
    const std::size_t dash = part.find('-', 1);
    if (dash == std::string::npos) {
      seeds.push_back(std::stoi(part));
    } else {
      for (int s = std::stoi(part.substr(0, dash)); s <= std::stoi(part.substr(dash + 1)); ++s) seeds.push_back(s);
    }
  }
  return seeds;
}

// splitmix64: the same sequence from a seed with every library.
class Random {
 public:
  // Neighbouring seeds must not give the same stream shifted by one.
  explicit Random(uint64_t seed) : state_((seed + 1) * 0xD1B54A32D192ED03ULL) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
  int Between(int low, int high) { return low + Below(high - low + 1); }
  bool Percent(int p) { return Below(100) < p; }

 private:
  uint64_t state_;
};

struct HarnessProgramEnd {};

// Answers every box as a user might, except the answers that end the
// program: the quit question is always No, and the unexpected-error box of
// the file buttons (whose No ends the program) always Yes. Retry is chosen
// now and then, never forever.
class MonkeyPlatform final : public platform::Platform {
 public:
  explicit MonkeyPlatform(Random& random) : random_(random) { platform::SetCurrent(this); }
  ~MonkeyPlatform() override { platform::SetCurrent(nullptr); }

  platform::Answer ShowMessage(const std::string& text, const std::string& title, platform::Buttons buttons,
                               platform::Icon icon) override {
    if (buttons == platform::Buttons::Ok) {
      if (title == kUnexpectedErrorTitle) {
        unexpected.push_back(text);
      } else if (title == kExplosionTitle) {
        ++explosions;
      }
      return platform::Answer::Ok;
    }
    if (icon == platform::Icon::Information) {
      ++quitQuestions;
      return platform::Answer::No;
    }
    ++fileBoxes;
    if (title == MessageForFailure(-1).title) return platform::Answer::Yes;
    if (retriesInARow_ < 3 && random_.Percent(30)) {
      ++retriesInARow_;
      return platform::Answer::Yes;
    }
    retriesInARow_ = 0;
    return platform::Answer::No;
  }
  void Beep() override { ++beeps; }
  [[noreturn]] void EndProgram() override { throw HarnessProgramEnd{}; }

  std::vector<std::string> unexpected;  // the guard's and the census's unexpected-error boxes
  int explosions = 0;
  int quitQuestions = 0;
  int fileBoxes = 0;
  int beeps = 0;

 private:
  Random& random_;
  int retriesInARow_ = 0;
};

// Texts a user might type into the two boxes before Enter.
std::string RandomText(Random& r) {
  static const std::vector<std::string> kFixed = {"",
                                                  "0",
                                                  "1",
                                                  "-1",
                                                  "10000",
                                                  "100",
                                                  "32767.5",
                                                  "-32768.5",
                                                  "32768",
                                                  "-32769",
                                                  "1e308",
                                                  "-1e309",
                                                  "1D400",
                                                  "&H7FFF",
                                                  "&HFFFFFFFF",
                                                  "&h",
                                                  "&O777",
                                                  "&o8",
                                                  ".5",
                                                  "0.49999",
                                                  "nan",
                                                  "inf",
                                                  " 1 0 0 ",
                                                  "１２３",
                                                  "9.2233720368547758E14",
                                                  "922337203685477",
                                                  "-922337203685478",
                                                  "abc",
                                                  "12abc",
                                                  "+-3",
                                                  "1e",
                                                  "2.5e-3",
                                                  "-0",
                                                  "\t7\n",
                                                  "&H8000000000000000"};
  switch (r.Below(6)) {
    case 0:
      return kFixed[static_cast<std::size_t>(r.Below(static_cast<int>(kFixed.size())))];
    case 1:
      return std::to_string(r.Between(-50, 300));
    case 2:
      return (r.Percent(30) ? "-" : "") + std::string(static_cast<std::size_t>(r.Between(1, 400)), '9');
    case 3: {
      std::string hex = r.Percent(50) ? "&H" : "&h";
      const int digits = r.Between(0, 30);
      for (int i = 0; i < digits; ++i) hex.push_back("0123456789ABCDEFabcdef"[r.Below(22)]);
      return hex;
    }
    case 4: {
      std::string junk;
      const int length = r.Between(0, 24);
      for (int i = 0; i < length; ++i) junk.push_back(static_cast<char>(r.Between(32, 126)));
      return junk;
    }
    default: {
      std::ostringstream number;
      number << (r.Percent(50) ? "-" : "") << r.Between(0, 99999) << "." << r.Between(0, 999) << "E"
             << r.Between(-40, 40);
      return number.str();
    }
  }
}

class Monkey {
 public:
  Monkey(int seed, int events)
      : seed_(seed), events_(events), random_(static_cast<uint64_t>(seed)), platform_(random_) {
    frame_ = std::make_unique<MDIFormMain>(*m_);
    frame_->OpenFrame();
    QCoreApplication::processEvents();  // the frame appears; no timer runs yet
    m_->AppPath = app_.String();
    testing::InstallPresets(app_.Path() / "Data");
    // As a user begins: a preset population (chosen by the seed) through the
    // real list and button, and the Reset that the load asks for.
    FormSetting& settings = Windows().Setting();
    const int preset = 1 + random_.Below(4);
    for (int i = 0; i < preset; ++i) QTest::keyClick(settings.ComboStartPop(), Qt::Key_Down);
    QTest::mouseClick(settings.CommandSave(2), Qt::LeftButton);
    Settle();
    if (frame_->TimerMenu().isActive()) Tick(frame_->TimerMenu(), "TimerMenu");
  }
  ~Monkey() {
    frame_->TimerWorld().stop();
    frame_->TimerMenu().stop();
  }

  // Runs the sequence; returns what went wrong, empty when nothing did.
  std::vector<std::string> Run() {
    for (event_ = 0; event_ < events_ && (problems_.empty() || keepGoing_); ++event_) {
      try {
        OneEvent();
      } catch (const HarnessProgramEnd&) {
        problems_.push_back("the program was ended by an answer the harness must never give");
      } catch (const Failure& f) {
        problems_.push_back("Failure{" + std::to_string(f.code) + "} escaped the event loop");
      } catch (const std::exception& e) {
        problems_.push_back(std::string("exception escaped the event loop: ") + e.what());
      }
    }
    return problems_;
  }

  std::string Summary() const {
    std::map<std::string, int> unexpected;
    for (const std::string& text : platform_.unexpected) ++unexpected[text];
    std::ostringstream s;
    s << "seed " << seed_ << ": " << event_ << " events, " << ticks_ << " timer ticks (" << worldTicks_
      << " of the world clock), " << starts_ << " starts, " << maxYear_ << " highest year, " << platform_.explosions
      << " explosions, " << platform_.fileBoxes << " file boxes, " << platform_.beeps << " beeps, unexpected errors:";
    if (unexpected.empty()) s << " none";
    for (const auto& [text, count] : unexpected) s << " [" << text << "] x" << count;
    for (const auto& [what, count] : unexpectedBy_) s << "\n    after " << what << " x" << count;
    return s.str();
  }

  int MaxSize() const { return maxSize_; }

  std::string RecentEvents() const {
    std::string text;
    for (const std::string& e : log_) text += "\n    " + e;
    return text;
  }

  const std::vector<std::string>& UnexpectedErrors() const { return platform_.unexpected; }

 private:
  ChildWindows& Windows() { return frame_->Windows(); }

  void Note(const std::string& what) {
    log_.push_back(std::to_string(event_) + ": " + what);
    if (trace_)
      std::cerr << log_.back() << "  [year " << int{m_->ElapsedYears} << ", state " << int{m_->RunState} << "]\n";
    if (log_.size() > 40) log_.pop_front();
  }

  // Lets the program handle what the last event posted (paints, queued
  // calls), then checks the invariants.
  void Settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents();
    // Which kind of event let each failure reach the event loop's guard.
    // A failure that reached the event loop's guard escaped its handler.
    while (attributed_ < platform_.unexpected.size()) {
      const std::string& last = log_.empty() ? std::string("setup") : log_.back();
      const std::string what = last.substr(last.find(": ") + 2);
      const std::size_t cut = what.find_first_of("0123456789\"-");
      ++unexpectedBy_[what.substr(0, cut) + platform_.unexpected[attributed_]];
      if (problems_.empty()) {
        problems_.push_back(platform_.unexpected[attributed_] + " escaped a handler at event " +
                            std::to_string(event_));
      }
      ++attributed_;
    }
    CheckInvariants();
  }

  void CheckInvariants() {
    const ModulePopulation& m = *m_;
    const int elapsed = m.ElapsedYears;
    if (elapsed > maxYear_) maxYear_ = elapsed;
    auto fail = [this](const std::string& what) {
      if (problems_.empty()) problems_.push_back(what + " after event " + std::to_string(event_));
    };
    if (elapsed < 0 || elapsed > 100) fail("ElapsedYears " + std::to_string(elapsed));
    if (m.SelectedYear < 0 || m.SelectedYear > 100) fail("SelectedYear " + std::to_string(m.SelectedYear));
    if (m.RunState < -1 || m.RunState > 3) fail("RunState " + std::to_string(m.RunState));
    for (int n = std::max(elapsed + 1, 0); n < kHistoryYears; ++n) {
      const WorldRecord& entry = m.WorldHistory[n];
      if (std::memcmp(entry.people.data(), m.WorldBlank.people.data(), sizeof(HeadCount) * entry.people.size()) != 0 ||
          std::memcmp(entry.rates.data(), m.WorldBlank.rates.data(), sizeof(float) * entry.rates.size()) != 0 ||
          entry.variationFunc != m.WorldBlank.variationFunc) {
        fail("WorldHistory(" + std::to_string(n) + ") is not blank after year " + std::to_string(elapsed));
        break;
      }
    }
  }

  void OneEvent() {
    // The deferred-command timer fires 1 ms after it is armed: nearly always
    // before the user's next action, but a busy event loop can let a second
    // click in first.
    if (frame_->TimerMenu().isActive() && random_.Percent(90)) {
      Tick(frame_->TimerMenu(), "TimerMenu");
      return;
    }
    const int kind = random_.Below(100);
    if (kind < 30) {
      ClockTicks();
    } else if (kind < 40) {
      FrameMenu();
    } else if (kind < 51) {
      PyramidMenu();
    } else if (kind < 63) {
      PyramidMouse();
    } else if (kind < 72) {
      GraphMouse();
    } else if (kind < 74) {
      ChartMouse(Windows().Circle(), kWindowCircle, "circle");
    } else if (kind < 81) {
      TextBox();
    } else if (kind < 88) {
      ResizeChart();
    } else if (kind < 91) {
      CloseWindow();
    } else {
      Settings();
    }
  }

  void Tick(QTimer& timer, const char* name) {
    Note(std::string("tick ") + name);
    ++ticks_;
    if (&timer == &frame_->TimerWorld()) ++worldTicks_;
    QCoreApplication::postEvent(&timer, new QTimerEvent(timer.timerId()));
    Settle();
  }

  void ClockTicks() {
    if (frame_->TimerMenu().isActive()) Tick(frame_->TimerMenu(), "TimerMenu");
    const int burst = random_.Percent(25) ? random_.Between(10, 100) : random_.Between(1, 10);
    for (int i = 0; i < burst && frame_->TimerWorld().isActive(); ++i) Tick(frame_->TimerWorld(), "TimerWorld");
  }

  void Trigger(QAction* action, const std::string& name) {
    if (!action->isEnabled() || !action->isVisible()) return;
    Note("menu " + name);
    if (action == frame_->Menus().MenuStart) ++starts_;
    // A menu item chosen by the user is triggered from the event loop.
    QMetaObject::invokeMethod(action, &QAction::trigger, Qt::QueuedConnection);
    Settle();
  }

  void FrameMenu() {
    const FrameMenus& menus = frame_->Menus();
    std::vector<std::pair<QAction*, std::string>> items = {{menus.MenuStart, "Start"},
                                                           {menus.MenuAgain, "Resume"},
                                                           {menus.MenuBreak, "Break"},
                                                           {menus.MenuReset, "Reset"},
                                                           {menus.MenuEnd, "End"},
                                                           {menus.MenuCopyright, "About"},
                                                           {menus.MenuAgeOrder[0], "AgeOrder0"},
                                                           {menus.MenuAgeOrder[1], "AgeOrder1"},
                                                           {menus.MenuAgeClass[0], "AgeClass0"},
                                                           {menus.MenuAgeClass[1], "AgeClass1"}};
    for (int i = 0; i < 5; ++i)
      items.push_back({menus.MenuWShow[static_cast<std::size_t>(i)], "WShow" + std::to_string(i)});
    // Start, Break, Resume and Reset a little more often than the rest.
    const int pick = random_.Percent(40) ? random_.Below(4) : random_.Below(static_cast<int>(items.size()));
    Trigger(items[static_cast<std::size_t>(pick)].first, items[static_cast<std::size_t>(pick)].second);
  }

  void PyramidMenu() {
    if (!Windows().IsOpen(kWindowPyramid)) return;
    const PyramidMenus& menus = Windows().Pyramid().Menus();
    std::vector<std::pair<QAction*, std::string>> items = {{menus.MenuAbs, "Abs"}};
    auto add = [&items](const auto& array, const std::string& name) {
      for (std::size_t i = 0; i < array.size(); ++i) items.push_back({array[i], name + std::to_string(i)});
    };
    add(menus.MenuPeople, "People");
    add(menus.MenuMode, "Mode");
    add(menus.MenuBaseScale, "BaseScale");
    add(menus.MenuScale, "Scale");
    add(menus.MenuBefAft, "BefAft");
    add(menus.MenuMoveFunc, "MoveFunc");
    const auto& item = items[static_cast<std::size_t>(random_.Below(static_cast<int>(items.size())))];
    Trigger(item.first, "pyramid " + item.second);
  }

  // A position inside the widget most of the time, otherwise anywhere a
  // captured pointer can go, far outside the window included.
  QPointF RandomPosition(const QWidget& widget) {
    const int w = std::max(widget.width(), 1);
    const int h = std::max(widget.height(), 1);
    switch (random_.Below(10)) {
      case 0:
        return QPointF(random_.Between(-20000, 20000), random_.Between(-20000, 20000));
      case 1:
        return QPointF(random_.Between(-300, w + 300), random_.Between(-300, h + 300));
      case 2:
        return QPointF(random_.Percent(50) ? 0 : w - 1, random_.Between(0, h));
      case 3:
        return QPointF(random_.Between(0, w), random_.Percent(50) ? 0 : h - 1);
      default:
        return QPointF(random_.Between(0, w - 1) + random_.Below(100) / 100.0, random_.Between(0, h - 1) + 0.5);
    }
  }

  void Mouse(QWidget& widget, QEvent::Type type, QPointF position, Qt::MouseButton button, Qt::MouseButtons held,
             Qt::KeyboardModifiers modifiers) {
    QMouseEvent event(type, position, widget.mapToGlobal(position), button, held, modifiers);
    QCoreApplication::sendEvent(&widget, &event);
    Settle();
  }

  Qt::KeyboardModifiers RandomModifiers() {
    const int pick = random_.Below(10);
    if (pick < 6) return Qt::NoModifier;
    if (pick < 9) return Qt::ShiftModifier;
    return Qt::ControlModifier;
  }

  Qt::MouseButton RandomButton() { return random_.Percent(70) ? Qt::LeftButton : Qt::RightButton; }

  // Press, a few moves with the button held (some far away), release; or a
  // plain hover; or a press with the other button in the middle of a drag.
  void ChartMouse(QWidget& widget, int window, const std::string& name) {
    if (!Windows().IsOpen(window)) return;
    const int shape = random_.Below(10);
    if (shape < (window == kWindowGraph ? 6 : 3)) {
      const int moves = random_.Between(1, 8);
      for (int i = 0; i < moves; ++i) {
        const QPointF p = RandomPosition(widget);
        Note(name + " hover " + std::to_string(p.x()) + "," + std::to_string(p.y()));
        Mouse(widget, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton, RandomModifiers());
      }
      return;
    }
    const Qt::MouseButton button = RandomButton();
    const Qt::KeyboardModifiers modifiers = RandomModifiers();
    QPointF p = RandomPosition(widget);
    Note(name + (button == Qt::LeftButton ? " left" : " right") + (modifiers == Qt::ShiftModifier ? "+shift" : "") +
         " press " + std::to_string(p.x()) + "," + std::to_string(p.y()));
    Mouse(widget, QEvent::MouseButtonPress, p, button, button, modifiers);
    const int moves = shape < 5 ? 0 : random_.Between(1, 12);
    for (int i = 0; i < moves; ++i) {
      p = RandomPosition(widget);
      Note(name + " drag " + std::to_string(p.x()) + "," + std::to_string(p.y()));
      Mouse(widget, QEvent::MouseMove, p, Qt::NoButton, button, modifiers);
      if (random_.Percent(5)) {
        const Qt::MouseButton other = button == Qt::LeftButton ? Qt::RightButton : Qt::LeftButton;
        Note(name + " other button during the drag");
        Mouse(widget, QEvent::MouseButtonPress, p, other, button | other, RandomModifiers());
        Mouse(widget, QEvent::MouseButtonRelease, p, other, button, modifiers);
      }
    }
    Note(name + " release " + std::to_string(p.x()) + "," + std::to_string(p.y()));
    Mouse(widget, QEvent::MouseButtonRelease, p, button, Qt::NoButton, modifiers);
  }

  void PyramidMouse() { ChartMouse(Windows().Pyramid(), kWindowPyramid, "pyramid"); }
  void GraphMouse() { ChartMouse(Windows().Graph(), kWindowGraph, "graph"); }

  // Every character through the key handler as a key press and release
  // (QTest's own typing knows only ASCII); a tab or a line feed is that key.
  void TypeText(QWidget& box, const QString& text) {
    for (const QChar c : text) {
      int key = Qt::Key_unknown;
      if (c == u'\t') {
        key = Qt::Key_Tab;
      } else if (c == u'\n') {
        key = Qt::Key_Return;
      } else if (c.unicode() < 128) {
        key = c.toUpper().unicode();
      }
      QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
      QCoreApplication::sendEvent(&box, &press);
      QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
      QCoreApplication::sendEvent(&box, &release);
      Settle();
    }
  }

  void TextBox() {
    if (!Windows().IsOpen(kWindowController)) return;
    const bool max = random_.Percent(50);
    QLineEdit* box = max ? Windows().Text().TextMax() : Windows().Text().TextTime();
    const std::string text = RandomText(random_);
    Note(std::string(max ? "TextMax" : "TextTime") + " Enter \"" + text.substr(0, 40) + "\"");
    if (random_.Percent(25)) {
      box->clear();
      TypeText(*box, QString::fromStdString(text));
    } else {
      box->setText(QString::fromStdString(text));
    }
    QTest::keyClick(box, Qt::Key_Return);
    Settle();
  }

  void ResizeChart() {
    static constexpr std::array<int, 3> kCharts = {kWindowGraph, kWindowPyramid, kWindowCircle};
    const int index = kCharts[static_cast<std::size_t>(random_.Below(3))];
    if (!Windows().IsOpen(index)) return;
    QMdiSubWindow& window = Windows().Window(index);
    const int w = random_.Percent(20) ? random_.Below(40) : random_.Between(0, maxSize_);
    const int h = random_.Percent(20) ? random_.Below(40) : random_.Between(0, maxSize_);
    const int how = random_.Below(20);
    if (how == 0) {
      Note("minimize window " + std::to_string(index));
      window.showMinimized();
    } else if (how == 1) {
      Note("maximize window " + std::to_string(index));
      window.showMaximized();
    } else if (how == 2) {
      Note("restore window " + std::to_string(index));
      window.showNormal();
    } else if (how == 3) {
      // The chart itself squeezed to nothing (or to any size) inside its frame.
      QWidget& chart = index == kWindowGraph     ? static_cast<QWidget&>(Windows().Graph())
                       : index == kWindowPyramid ? static_cast<QWidget&>(Windows().Pyramid())
                                                 : static_cast<QWidget&>(Windows().Circle());
      Note("chart " + std::to_string(index) + " to " + std::to_string(w / 10) + "x" + std::to_string(h / 10));
      chart.resize(w / 10, h / 10);
    } else {
      Note("resize window " + std::to_string(index) + " to " + std::to_string(w) + "x" + std::to_string(h));
      window.resize(w, h);
    }
    Settle();
  }

  void CloseWindow() {
    const int index = random_.Below(5);
    if (!Windows().IsOpen(index)) return;
    Note("close window " + std::to_string(index));
    Windows().Window(index).close();
    Settle();
  }

  void Settings() {
    if (!Windows().IsOpen(kWindowSettings)) return;
    FormSetting& settings = Windows().Setting();
    // Choose an item with the keyboard, as a user does in a selection list.
    for (QComboBox* list : {settings.ComboStartPop(), settings.ComboBRFunc()}) {
      if (!random_.Percent(60)) continue;
      const int steps = random_.Between(1, 6);
      for (int i = 0; i < steps; ++i) QTest::keyClick(list, random_.Percent(60) ? Qt::Key_Down : Qt::Key_Up);
      Settle();
    }
    const int button = random_.Below(4);
    Note("settings button " + std::to_string(button) + " with items " +
         std::to_string(settings.ComboStartPop()->currentIndex()) + "/" +
         std::to_string(settings.ComboBRFunc()->currentIndex()));
    QTest::mouseClick(settings.CommandSave(button), Qt::LeftButton);
    Settle();
  }

  const int seed_;
  const int events_;
  Random random_;
  MonkeyPlatform platform_;
  testing::TempFolder app_;
  std::unique_ptr<ModulePopulation> m_ = std::make_unique<ModulePopulation>();
  std::unique_ptr<MDIFormMain> frame_;
  int event_ = 0;
  int ticks_ = 0;
  int worldTicks_ = 0;
  int starts_ = 0;
  int maxYear_ = 0;
  const bool trace_ = EnvInt("VELMORA_MONKEY_TRACE", 0) != 0;
  // Every pixel of a huge window is painted at each tick: the size bounds
  // most of a seed's time.
  const int maxSize_ = static_cast<int>(std::clamp<int64_t>(EnvInt("VELMORA_MONKEY_MAX_SIZE", 2600), 0, 20000));
  const bool keepGoing_ = EnvInt("VELMORA_MONKEY_KEEP_GOING", 0) != 0;
  std::deque<std::string> log_;
  std::vector<std::string> problems_;
  std::size_t attributed_ = 0;
  std::map<std::string, int> unexpectedBy_;
};

class MonkeyTest : public ::testing::TestWithParam<int> {};

TEST_P(MonkeyTest, RandomUserEventsKeepTheProgramConsistent) {
  const int seed = GetParam();
  const int events = static_cast<int>(EnvInt("VELMORA_MONKEY_EVENTS", 10'000));
  Monkey monkey(seed, events);
  const std::vector<std::string> problems = monkey.Run();
  std::cout << "[ monkey ] " << monkey.Summary() << "\n";
  for (const std::string& p : problems) {
    ADD_FAILURE() << p << "\n  replay: VELMORA_MONKEY_SEEDS=" << seed << " VELMORA_MONKEY_EVENTS=" << events
                  << " VELMORA_MONKEY_MAX_SIZE=" << monkey.MaxSize() << "\n  last events:" << monkey.RecentEvents();
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, MonkeyTest, ::testing::ValuesIn(SeedsFromEnvironment()));

}  // namespace
}  // namespace velmora
