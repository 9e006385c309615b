#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <array>

#include "model/ModulePopulation.h"
#include "model/RunControl.h"
#include "windows/ChildForm.h"
#include "windows/FrameServices.h"

class QCloseEvent;
class QKeyEvent;

namespace velmora {

// A single-line text box that reports every typed character by its code
// (Enter as 13) before the box itself handles the key.
class KeyTextBox : public QLineEdit {
  Q_OBJECT
 public:
  using QLineEdit::QLineEdit;

 signals:
  void KeyPress(int code);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// The controller ("コントローラ"): the permitted population and the speed of
// the world clock, and the five value labels the model writes.
class FormText : public QWidget, public ChildForm {
  Q_OBJECT
 public:
  // The fixed client area, in twips.
  static constexpr int kClientWidth = 7410;
  static constexpr int kClientHeight = 1050;

  FormText(ModulePopulation& model, FrameServices& frame, QWidget* parent = nullptr);

  void SetLabelD(int index, const QString& caption);
  QLabel* LabelD(int index) const { return LabelD_.at(static_cast<std::size_t>(index)); }
  QLabel* Label(int index) const { return Label_.at(static_cast<std::size_t>(index)); }
  QLineEdit* TextMax() const { return TextMax_; }
  QLineEdit* TextTime() const { return TextTime_; }

  void Form_Load();

  // ChildForm: opened afresh, the controller runs its load handling.
  QWidget& Content() override { return *this; }
  QSize DrawingSize() override { return size(); }
  void Opened(bool) override { Form_Load(); }
  void Form_Unload();
  void TextMax_KeyPress(int key);
  void TextTime_KeyPress(int key);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ConnectEvents();

  ModulePopulation& m_;
  FrameServices& frame_;
  std::array<QLabel*, 7> Label_{};
  std::array<QLabel*, kControllerLabels> LabelD_{};
  KeyTextBox* TextMax_ = nullptr;
  KeyTextBox* TextTime_ = nullptr;
};

}  // namespace velmora
