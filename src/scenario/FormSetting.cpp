#include "scenario/FormSetting.h"

#include <QCloseEvent>

// Skeleton: the lists, buttons and file operations arrive with the scenario work.
namespace velmora {
FormSetting::FormSetting(ModulePopulation& model, ModelDisplay& display, FrameServices& frame, QWidget* parent)
    : QWidget(parent), m_(model), display_(display), frame_(frame) {
  setWindowTitle(QString::fromUtf8("設定"));
  comboStartPop_ = new QComboBox(this);
  comboBRFunc_ = new QComboBox(this);
  for (auto& button : commandSave_) button = new QPushButton(this);
}
void FormSetting::Form_Load() {}
void FormSetting::Form_Unload() { frame_.SetWindowMenuCheck(kWindowSettings, false); }
void FormSetting::CommandSave_Click(int) {}
void FormSetting::closeEvent(QCloseEvent* event) { Form_Unload(); event->accept(); }
}  // namespace velmora
