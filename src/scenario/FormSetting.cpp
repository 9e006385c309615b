#include "scenario/FormSetting.h"

#include <QCloseEvent>

#include "platform/Platform.h"

namespace velmora {
namespace {

// Client area and controls in twips from the client's top left corner.

struct Placement {
  int left, top, width, height;
};
constexpr Placement kComboStartPop{120, 120, 2415, 360};
constexpr Placement kComboBRFunc{120, 600, 2415, 360};
// CommandSave(0..3): save population, save rates, load population, load rates.
constexpr std::array<Placement, 4> kCommandSave{
    {{3840, 120, 1215, 375}, {3840, 600, 1215, 375}, {2640, 120, 1215, 375}, {2640, 600, 1215, 375}}};
constexpr std::array<const char*, 4> kCommandCaptions{"人口保存", "関数保存", "人口読込", "関数読込"};

// The preset numbers 0..4 of the files, in list order.
constexpr std::array<const char*, 5> kPresetItems{"新規", "発展途上国型", "先進国型", "中間型", "世界型"};

constexpr const char* kListFont = "ＭＳ 明朝";
constexpr const char* kButtonFont = "ＭＳ Ｐゴシック";

void Place(QWidget* widget, const Placement& p) {
  widget->setGeometry(platform::TwipsToPixels(p.left), platform::TwipsToPixels(p.top), platform::TwipsToPixels(p.width),
                      platform::TwipsToPixels(p.height));
}

QComboBox* MakePresetList(QWidget* parent, const Placement& placement) {
  auto* list = new QComboBox(parent);  // selection only: not editable
  for (const char* item : kPresetItems) list->addItem(QString::fromUtf8(item));
  list->setFont(platform::DesignFont(kListFont, 12, false));
  Place(list, placement);
  return list;
}

}  // namespace

FormSetting::FormSetting(ModulePopulation& model, ModelDisplay& display, FrameServices& frame, QWidget* parent)
    : QWidget(parent), frame_(frame), operations_(model, display, *this, dialogue_) {
  setWindowTitle(QString::fromUtf8("設定"));
  setFixedSize(platform::TwipsToPixels(kClientWidth), platform::TwipsToPixels(kClientHeight));
  comboStartPop_ = MakePresetList(this, kComboStartPop);
  comboBRFunc_ = MakePresetList(this, kComboBRFunc);
  for (std::size_t i = 0; i < commandSave_.size(); ++i) {
    commandSave_[i] = new QPushButton(QString::fromUtf8(kCommandCaptions[i]), this);
    commandSave_[i]->setFont(platform::DesignFont(kButtonFont, 12, false));
    Place(commandSave_[i], kCommandSave[i]);
  }
  ConnectEvents();
  Form_Load();
}

void FormSetting::ConnectEvents() {
  for (int i = 0; i < static_cast<int>(commandSave_.size()); ++i) {
    connect(commandSave_[i], &QPushButton::clicked, this, [this, i] { CommandSave_Click(i); });
  }
}

void FormSetting::Form_Load() {
  comboStartPop_->setCurrentIndex(0);
  comboBRFunc_->setCurrentIndex(0);
}

void FormSetting::Form_Unload() { frame_.SetWindowMenuCheck(kWindowSettings, false); }

void FormSetting::CommandSave_Click(int index) {
  if (operations_.Run(index) == SequenceEnd::ProgramEnded) platform::Current().EndProgram();
}

void FormSetting::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();  // the close is never cancelled
}

int FormSetting::SelectedPreset(PresetList list) {
  return (list == PresetList::Population ? comboStartPop_ : comboBRFunc_)->currentIndex();
}

void FormSetting::Beep() { platform::Current().Beep(); }

void FormSetting::RequestReset() { frame_.RequestCommand(kCommandReset); }

bool FormSetting::FocusPyramid() { return frame_.FocusWindow(kWindowPyramid); }

}  // namespace velmora
