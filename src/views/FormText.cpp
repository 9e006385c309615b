#include "views/FormText.h"

// Skeleton: the controller's grid, fonts and Enter handling arrive with the frame work.
namespace velmora {
FormText::FormText(ModulePopulation& model, FrameServices& frame, QWidget* parent)
    : QWidget(parent), m_(model), frame_(frame) {
  setWindowTitle(QString::fromUtf8("コントローラ"));
  for (auto& label : labelD_) label = new QLabel(this);
  textMax_ = new QLineEdit(this);
  textTime_ = new QLineEdit(this);
}
void FormText::SetLabelD(int index, const QString& caption) { labelD_.at(static_cast<std::size_t>(index))->setText(caption); }
QLabel* FormText::LabelD(int index) const { return labelD_.at(static_cast<std::size_t>(index)); }
void FormText::Form_Load() {}
void FormText::Form_Unload() { frame_.SetWindowMenuCheck(kWindowController, false); }
void FormText::TextMax_KeyPress(int) {}
void FormText::TextTime_KeyPress(int) {}
}  // namespace velmora
