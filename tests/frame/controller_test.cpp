#include <QClipboard>
#include <QFontInfo>
#include <QGuiApplication>

#include "support/FrameFixture.h"

namespace velmora {
namespace {

using testing::FrameFixture;

class ControllerWindow : public FrameFixture {
 protected:
  QLineEdit* TextMax() { return Controller().TextMax(); }
  QLineEdit* TextTime() { return Controller().TextTime(); }
  QRect Cell(QWidget* control) { return control->geometry(); }
};

TEST_F(ControllerWindow, GridInTwipsWithTheLowerRowsBelowTheClientArea) {
  FormText& c = Controller();
  EXPECT_EQ(c.windowTitle().toStdString(), "コントローラ");
  EXPECT_EQ(c.size(), QSize(494, 70));
  // Cells of 1695 x 375 twips (113 x 25 pixels) at the columns 120, 1920,
  // 3840, 5640 and the rows 120, 600, 2400, 2880, 3360 twips.
  EXPECT_EQ(Cell(c.Label(5)), QRect(8, 8, 113, 25));
  EXPECT_EQ(Cell(TextMax()), QRect(128, 8, 113, 25));
  EXPECT_EQ(Cell(c.Label(0)), QRect(256, 8, 113, 25));
  EXPECT_EQ(Cell(c.LabelD(3)), QRect(376, 8, 113, 25));
  EXPECT_EQ(Cell(c.Label(6)), QRect(8, 40, 113, 25));
  EXPECT_EQ(Cell(TextTime()), QRect(128, 40, 113, 25));
  EXPECT_EQ(Cell(c.Label(1)), QRect(256, 40, 113, 25));
  EXPECT_EQ(Cell(c.LabelD(4)), QRect(376, 40, 113, 25));
  EXPECT_EQ(Cell(c.Label(4)), QRect(8, 160, 113, 25));
  EXPECT_EQ(Cell(c.LabelD(2)), QRect(128, 160, 113, 25));
  EXPECT_EQ(Cell(c.Label(2)), QRect(8, 192, 113, 25));
  EXPECT_EQ(Cell(c.LabelD(0)), QRect(128, 192, 113, 25));
  EXPECT_EQ(Cell(c.Label(3)), QRect(8, 224, 113, 25));
  EXPECT_EQ(Cell(c.LabelD(1)), QRect(128, 224, 113, 25));
  EXPECT_GT(Cell(c.LabelD(2)).top(), c.height());
}

TEST_F(ControllerWindow, InitialTextsAndCaptions) {
  FormText& c = Controller();
  const char* captions[] = {"特殊出生率", "平均死亡率", "年度", "総人口", "老齢率", "許容人口(万)", "ミリ秒／年"};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(c.Label(i)->text().toStdString(), captions[i]) << i;
  const char* values[] = {"Year ", "Population ", "Elders ", "Rebirth ", "Death "};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(LabelD(i), values[i]) << i;
  EXPECT_EQ(TextMax()->text().toStdString(), "10000");
  EXPECT_EQ(TextTime()->text().toStdString(), "100");
}

TEST_F(ControllerWindow, FontsAndColours) {
  FormText& c = Controller();
  const QFontInfo caption(c.Label(5)->font());
  EXPECT_EQ(caption.family().toStdString(), "IPAMincho");
  EXPECT_EQ(c.Label(5)->font().pointSizeF(), 12.0);
  EXPECT_FALSE(caption.bold());

  const QFontInfo value(c.LabelD(1)->font());
  EXPECT_EQ(value.family().toStdString(), "Liberation Serif");
  EXPECT_EQ(c.LabelD(1)->font().pointSizeF(), 12.0);
  EXPECT_TRUE(value.bold());
  EXPECT_TRUE(c.LabelD(1)->autoFillBackground());
  EXPECT_EQ(c.LabelD(1)->palette().color(QPalette::Window), QColor(Qt::black));
  EXPECT_EQ(c.LabelD(1)->palette().color(QPalette::WindowText), QColor(Qt::white));

  for (QLineEdit* box : {TextMax(), TextTime()}) {
    EXPECT_EQ(QFontInfo(box->font()).family().toStdString(), "Liberation Serif");
    EXPECT_EQ(box->font().pointSizeF(), 11.25);
    EXPECT_TRUE(box->font().bold());
    EXPECT_EQ(box->palette().color(QPalette::Base), QColor(Qt::black));
    EXPECT_EQ(box->palette().color(QPalette::Text), QColor(Qt::white));
  }
  // A value label really paints white on black.
  c.SetLabelD(3, "8 ");
  const QImage picture = c.LabelD(3)->grab().toImage();
  EXPECT_EQ(QColor(picture.pixel(picture.width() - 2, 1)), QColor(Qt::black));
}

TEST_F(ControllerWindow, EnterInTheCapacityBox) {
  struct Case {
    const char* text;
    int64_t capacity;
  };
  for (const Case& c : {Case{"10000", 100'000'000}, Case{"0.00001", 1}, Case{"abc", 1}, Case{"1 2", 120'000},
                        Case{"&H10", 160'000}, Case{"-5", 1}, Case{"2.5e2", 2'500'000}}) {
    SCOPED_TRACE(c.text);
    Enter(TextMax(), c.text);
    EXPECT_EQ(M().Capacity, HeadCount::FromPersons(c.capacity));
    EXPECT_EQ(TextMax()->text().toStdString(), c.text);  // the box keeps its text
  }
  EXPECT_EQ(platform_.beeps, 0);
}

TEST_F(ControllerWindow, CapacityBoxRefusesAValueBeyondTheHeadCountRange) {
  Enter(TextMax(), "123");
  ASSERT_EQ(M().Capacity, HeadCount::FromPersons(1'230'000));
  // 1e11 x 10,000 = 1e15 people is more than a head count holds.
  Enter(TextMax(), "1e11");
  EXPECT_EQ(platform_.beeps, 1);
  EXPECT_EQ(M().Capacity, HeadCount::FromPersons(1'230'000));
  Enter(TextMax(), "92233720368");  // 922,337,203,680,000 still fits
  EXPECT_EQ(platform_.beeps, 1);
  EXPECT_EQ(M().Capacity, HeadCount::FromPersons(922'337'203'680'000));
}

TEST_F(ControllerWindow, EnterInTheSpeedBoxRoundsHalfToEven) {
  struct Case {
    const char* text;
    int interval;
  };
  for (const Case& c : {Case{"2.5", 2}, Case{"3.5", 4}, Case{"0", 1}, Case{"-7", 1}, Case{"250", 250},
                        Case{"32767", 32767}, Case{"0.5", 1}, Case{"-32768.4", 1}}) {
    SCOPED_TRACE(c.text);
    Enter(TextTime(), c.text);
    EXPECT_EQ(Frame().TimerWorld().interval(), c.interval);
    EXPECT_EQ(TextTime()->text().toStdString(), c.text);
  }
  EXPECT_EQ(platform_.beeps, 0);
  // The interval neither starts nor stops the clock.
  EXPECT_FALSE(Frame().TimerWorld().isActive());
}

TEST_F(ControllerWindow, SpeedBoxRefusesValuesOutsideSixteenBits) {
  Enter(TextTime(), "40");
  for (const char* text : {"32767.5", "40000", "-32769", "1e9"}) {
    SCOPED_TRACE(text);
    const int beeps = platform_.beeps;
    Enter(TextTime(), text);
    EXPECT_EQ(platform_.beeps, beeps + 1);
    EXPECT_EQ(Frame().TimerWorld().interval(), 40);
  }
}

// A refused entry beeps and shows again the text of the value in force, so
// that the box never shows a value that does not apply.
TEST_F(ControllerWindow, ARefusedEntryPutsBackTheValueInForce) {
  Enter(TextMax(), "123.45678");  // 1,234,567.8 people
  Enter(TextMax(), "1e20");
  EXPECT_EQ(platform_.beeps, 1);
  EXPECT_EQ(TextMax()->text().toStdString(), "123.45678");
  // After a Reset the box shows floor(peak / 10,000) + 1 = 124, while the
  // capacity in force is 105 % of the peak: 1,296,295 people.
  M().PeakPopulation = HeadCount::FromPersons(1'234'567);
  Menus().MenuReset->trigger();
  Enter(TextMax(), "1e20");
  EXPECT_EQ(platform_.beeps, 2);
  EXPECT_EQ(TextMax()->text().toStdString(), "129.6295");
  Enter(TextMax(), "0.00001");  // the minimum, one person
  Enter(TextMax(), "1e20");
  EXPECT_EQ(TextMax()->text().toStdString(), "0.0001");
  EXPECT_EQ(M().Capacity, HeadCount::FromPersons(1));

  Enter(TextTime(), "0");  // 1 ms
  Enter(TextTime(), "40000");
  EXPECT_EQ(platform_.beeps, 4);
  EXPECT_EQ(TextTime()->text().toStdString(), "1");
  EXPECT_EQ(Frame().TimerWorld().interval(), 1);
}

// Reopening shows "100" and runs the clock at it, as at program start.
TEST_F(ControllerWindow, ReopeningSetsTheClockToTheHundredItShows) {
  Enter(TextTime(), "7");
  ASSERT_EQ(Frame().TimerWorld().interval(), 7);
  Frame().Windows().Window(kWindowController).close();
  Menus().MenuWShow[kWindowController]->trigger();
  EXPECT_EQ(TextTime()->text().toStdString(), "100");
  EXPECT_EQ(Frame().TimerWorld().interval(), 100);
}

// A pasted text is taken whole: 40,000 zeros and "2000" are 2000.
TEST_F(ControllerWindow, APastedTextHasNoLengthLimit) {
  const QString pasted = QString(40'000, QChar('0')) + "2000";
  QGuiApplication::clipboard()->setText(pasted);
  for (QLineEdit* box : {TextTime(), TextMax()}) {
    box->clear();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(box->text(), pasted);
    QTest::keyClick(box, Qt::Key_Return);
  }
  EXPECT_EQ(Frame().TimerWorld().interval(), 2000);
  EXPECT_EQ(M().Capacity, HeadCount::FromPersons(20'000'000));
  EXPECT_EQ(platform_.beeps, 0);
}

TEST_F(ControllerWindow, TypingWithoutEnterChangesNothing) {
  TextMax()->clear();
  QTest::keyClicks(TextMax(), "5");
  TextTime()->clear();
  QTest::keyClicks(TextTime(), "7");
  EXPECT_EQ(M().Capacity, HeadCount::FromPersons(100'000'000));
  EXPECT_EQ(Frame().TimerWorld().interval(), 100);
  EXPECT_EQ(TextMax()->text().toStdString(), "5");
}

TEST_F(ControllerWindow, SpeedChangesWhileRunningKeepTheClockRunning) {
  M().World.People(0, 20) = HeadCount::FromPersons(100);
  Menus().MenuStart->trigger();
  Enter(TextTime(), "3");
  EXPECT_TRUE(Frame().TimerWorld().isActive());
  EXPECT_EQ(Frame().TimerWorld().interval(), 3);
}

TEST_F(ControllerWindow, ClosingClearsItsMarkAndLabelsStillReachTheHiddenWindow) {
  Enter(TextMax(), "5");
  Frame().Windows().Window(kWindowController).close();
  EXPECT_FALSE(Frame().Windows().IsOpen(kWindowController));
  EXPECT_FALSE(Menus().MenuWShow[kWindowController]->isChecked());

  Frame().Display().SetControllerLabel(1, "1,234 ");
  EXPECT_EQ(LabelD(1), "1,234 ");
  // Not re-created: its load handling did not run.
  EXPECT_EQ(M().Capacity, HeadCount::FromPersons(50'000));
  EXPECT_FALSE(Frame().Windows().IsOpen(kWindowController));
}

}  // namespace
}  // namespace velmora
