#include "views/FormText.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <cstdint>
#include <limits>
#include <string>

#include "model/Failure.h"
#include "model/NumberText.h"
#include "platform/Platform.h"

namespace velmora {
namespace {

constexpr int kEnter = 13;
constexpr int kCellWidth = 1695;  // twips
constexpr int kCellHeight = 375;
// Only the two upper rows lie inside the client area; the three rows below
// it are out of view at the window's own size.

struct Cell {
  int left;
  int top;
  const char* text;
};

// Static captions Label(0..6).
constexpr std::array<Cell, 7> kLabels{{
    {3840, 120, "特殊出生率"},
    {3840, 600, "平均死亡率"},
    {120, 2880, "年度"},
    {120, 3360, "総人口"},
    {120, 2400, "老齢率"},
    {120, 120, "許容人口(万)"},
    {120, 600, "ミリ秒／年"},
}};

// Value labels LabelD(0..4) with their captions before the first write.
constexpr std::array<Cell, kControllerLabels> kValueLabels{{
    {1920, 2880, "Year "},
    {1920, 3360, "Population "},
    {1920, 2400, "Elders "},
    {5640, 120, "Rebirth "},
    {5640, 600, "Death "},
}};

constexpr Cell kTextMax{1920, 120, "10000"};
constexpr Cell kTextTime{1920, 600, "100"};

// The capacity as the text box writes it: in units of 10,000 people, exact
// to the last of its four decimals, so that Enter on it gives it back.
QString CapacityText(HeadCount capacity) {
  constexpr int64_t kUnit = 10'000 * HeadCount::kScale;
  const int64_t raw = capacity.Raw();
  const uint64_t magnitude = raw < 0 ? 0 - static_cast<uint64_t>(raw) : static_cast<uint64_t>(raw);
  std::string text = (raw < 0 ? "-" : "") + std::to_string(magnitude / kUnit);
  if (const uint64_t fraction = magnitude % kUnit; fraction != 0) {
    std::string digits = std::to_string(fraction);
    digits.insert(0, 8 - digits.size(), '0');
    digits.erase(digits.find_last_not_of('0') + 1);
    text += "." + digits;
  }
  return QString::fromStdString(text);
}

void Place(QWidget* control, const Cell& cell) {
  control->setGeometry(platform::TwipsToPixels(cell.left), platform::TwipsToPixels(cell.top),
                       platform::TwipsToPixels(kCellWidth), platform::TwipsToPixels(kCellHeight));
}

void WhiteOnBlack(QWidget* control, QPalette::ColorRole background) {
  QPalette palette = control->palette();
  palette.setColor(background, Qt::black);
  palette.setColor(QPalette::WindowText, Qt::white);
  palette.setColor(QPalette::Text, Qt::white);
  control->setPalette(palette);
}

}  // namespace

void KeyTextBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    emit KeyPress(kEnter);
  } else if (!event->text().isEmpty()) {
    emit KeyPress(event->text().at(0).unicode());
  }
  QLineEdit::keyPressEvent(event);
}

FormText::FormText(ModulePopulation& model, FrameServices& frame, QWidget* parent)
    : QWidget(parent), m_(model), frame_(frame) {
  setWindowTitle(QString::fromUtf8("コントローラ"));
  setFixedSize(platform::TwipsToPixels(kClientWidth), platform::TwipsToPixels(kClientHeight));

  const QFont captionFont = platform::DesignFont("ＭＳ 明朝", 12, false);
  for (std::size_t i = 0; i < Label_.size(); ++i) {
    Label_[i] = new QLabel(this);
    Label_[i]->setFont(captionFont);
    Place(Label_[i], kLabels[i]);
  }
  const QFont valueFont = platform::DesignFont("Times New Roman", 12, true);
  for (std::size_t i = 0; i < LabelD_.size(); ++i) {
    LabelD_[i] = new QLabel(this);
    LabelD_[i]->setFont(valueFont);
    LabelD_[i]->setAutoFillBackground(true);
    WhiteOnBlack(LabelD_[i], QPalette::Window);
    Place(LabelD_[i], kValueLabels[i]);
    // A label of fixed size does not ask its window for a new layout at every
    // new text: the yearly step writes these five each year.
    LabelD_[i]->setFixedSize(LabelD_[i]->size());
  }
  const QFont boxFont = platform::DesignFont("Times New Roman", 11.25, true);
  TextMax_ = new KeyTextBox(this);
  TextTime_ = new KeyTextBox(this);
  for (KeyTextBox* box : {TextMax_, TextTime_}) {
    // No length limit: a pasted text is taken whole.
    box->setMaxLength(std::numeric_limits<int>::max());
    box->setFont(boxFont);
    WhiteOnBlack(box, QPalette::Base);
  }
  Place(TextMax_, kTextMax);
  Place(TextTime_, kTextTime);
  ConnectEvents();
}

void FormText::ConnectEvents() {
  connect(TextMax_, &KeyTextBox::KeyPress, this, &FormText::TextMax_KeyPress);
  connect(TextTime_, &KeyTextBox::KeyPress, this, &FormText::TextTime_KeyPress);
}

void FormText::SetLabelD(int index, const QString& caption) { LabelD(index)->setText(caption); }

void FormText::Form_Load() {
  m_.Capacity = HeadCount::FromPersons(100'000'000);
  m_.RunCenturies = 0;
  for (std::size_t i = 0; i < Label_.size(); ++i) Label_[i]->setText(QString::fromUtf8(kLabels[i].text));
  for (std::size_t i = 0; i < LabelD_.size(); ++i) LabelD_[i]->setText(QString::fromUtf8(kValueLabels[i].text));
  TextMax_->setText(QString::fromUtf8(kTextMax.text));
  TextTime_->setText(QString::fromUtf8(kTextTime.text));
  // The clock runs at what the box shows, as at program start.
  frame_.SetWorldClockInterval(kWorldClockStartInterval);
}

void FormText::Form_Unload() { frame_.SetWindowMenuCheck(kWindowController, false); }

// The permitted population in units of 10,000 people, at least one person. A
// value beyond the head-count range is refused with a beep, the old capacity
// stays, and the box shows it again.
void FormText::TextMax_KeyPress(int key) {
  if (key != kEnter) return;
  HeadCount capacity;
  try {
    capacity = HeadCount::FromDouble(NumericPrefix(TextMax_->text().toStdString()) * 10'000);
  } catch (const Failure& failure) {
    if (failure.code != kOverflow) throw;
    platform::Current().Beep();
    TextMax_->setText(CapacityText(m_.Capacity));
    return;
  }
  const HeadCount one = HeadCount::FromPersons(1);
  m_.Capacity = capacity < one ? one : capacity;
}

// Milliseconds per year, at least 1. A value outside the 16-bit range after
// rounding is refused with a beep, the clock keeps its interval, and the box
// shows it again.
void FormText::TextTime_KeyPress(int key) {
  if (key != kEnter) return;
  Int16 milliseconds;
  try {
    milliseconds = Int16::Round(NumericPrefix(TextTime_->text().toStdString()));
  } catch (const Failure& failure) {
    if (failure.code != kOverflow) throw;
    platform::Current().Beep();
    TextTime_->setText(QString::number(frame_.WorldClockInterval()));
    return;
  }
  frame_.SetWorldClockInterval(milliseconds >= 1 ? int{milliseconds} : 1);
}

void FormText::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

}  // namespace velmora
