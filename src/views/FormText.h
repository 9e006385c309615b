#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <array>

#include "model/ModulePopulation.h"
#include "views/FrameServices.h"

namespace velmora {

// The controller ("コントローラ"): the permitted population and the speed of
// the world clock, and the five value labels the model writes.
class FormText : public QWidget {
  Q_OBJECT
 public:
  FormText(ModulePopulation& model, FrameServices& frame, QWidget* parent = nullptr);

  void SetLabelD(int index, const QString& caption);
  QLabel* LabelD(int index) const;
  QLineEdit* TextMax() const { return textMax_; }
  QLineEdit* TextTime() const { return textTime_; }

  void Form_Load();
  void Form_Unload();
  void TextMax_KeyPress(int key);
  void TextTime_KeyPress(int key);

 private:
  ModulePopulation& m_;
  FrameServices& frame_;
  std::array<QLabel*, 5> labelD_{};
  QLineEdit* textMax_ = nullptr;
  QLineEdit* textTime_ = nullptr;
};

}  // namespace velmora
