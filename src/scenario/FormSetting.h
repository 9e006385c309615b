#pragma once

#include <QComboBox>
#include <QPushButton>
#include <QWidget>
#include <array>

#include "model/ModelDisplay.h"
#include "model/ModulePopulation.h"
#include "scenario/PlatformFailureDialogue.h"
#include "scenario/core/ScenarioHost.h"
#include "scenario/core/ScenarioOperations.h"
#include "windows/ChildForm.h"
#include "windows/FrameServices.h"

namespace velmora {

// The settings window ("設定"): two preset lists and the four file buttons.
// Fixed size; the upper row serves the population, the lower the rates,
// each as [list] [load] [save].
class FormSetting : public QWidget, public ChildForm, private ScenarioHost {
  Q_OBJECT
 public:
  // The fixed client area, in twips.
  static constexpr int kClientWidth = 5145;
  static constexpr int kClientHeight = 1050;

  FormSetting(ModulePopulation& model, ModelDisplay& display, FrameServices& frame, QWidget* parent = nullptr);

  QComboBox* ComboStartPop() const { return comboStartPop_; }
  QComboBox* ComboBRFunc() const { return comboBRFunc_; }
  QPushButton* CommandSave(int index) const { return commandSave_.at(static_cast<std::size_t>(index)); }

  void Form_Load();

  // ChildForm: opened afresh, the settings window runs its load handling.
  QWidget& Content() override { return *this; }
  QSize DrawingSize() override { return size(); }
  void Opened(bool) override { Form_Load(); }
  void Form_Unload();
  void CommandSave_Click(int index);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ConnectEvents();

  // ScenarioHost
  int SelectedPreset(PresetList list) override;
  void Beep() override;
  void RequestReset() override;
  bool FocusPyramid() override;

  FrameServices& frame_;
  PlatformFailureDialogue dialogue_;
  ScenarioOperations operations_;
  QComboBox* comboStartPop_ = nullptr;
  QComboBox* comboBRFunc_ = nullptr;
  std::array<QPushButton*, 4> commandSave_{};
};

}  // namespace velmora
