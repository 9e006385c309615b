#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QWidget>
#include <array>
#include <filesystem>
#include <optional>
#include <string>

#include "model/ModelDisplay.h"
#include "model/ModulePopulation.h"
#include "views/FrameServices.h"
#include "worlddata/core/WorldLoads.h"
#include "worlddata/core/WorldTables.h"

namespace velmora {

// The world-data window ("世界のデータ"): every location of the UN tables
// with its Japanese and English names, a search, a year chooser, and buttons
// that load the location's population, its rates or both into the model, or
// save the pair into a preset slot. The tables are read on the window's
// first opening (once per process); without them the window says where it
// looked, in one line, and offers nothing else.
class FormWorldData : public QWidget, private worlddata::LoadHost {
  Q_OBJECT
 public:
  enum Load : int { kLoadPopulation = 0, kLoadRates = 1, kLoadBoth = 2 };

  FormWorldData(ModulePopulation& model, ModelDisplay& display, FrameServices& frame, QWidget* parent = nullptr);

  QLineEdit* TextSearch() const { return textSearch_; }
  QTreeWidget* ListPlaces() const { return listPlaces_; }
  QComboBox* ComboYear() const { return comboYear_; }
  QPushButton* CommandLoad(int load) const { return commandLoad_.at(static_cast<std::size_t>(load)); }
  QComboBox* ComboSlot() const { return comboSlot_; }
  QPushButton* CommandSaveSlot() const { return commandSaveSlot_; }
  QLabel* LabelLoaded() const { return labelLoaded_; }
  QLabel* LabelCredit() const { return labelCredit_; }

  // Fills the list from the tables beside the program (AppPath/wpp2019),
  // read on the first call in the process; later calls only refill when the
  // list is empty. Runs when the window is shown.
  void Form_Load();
  void TextSearch_Change();
  void CommandLoad_Click(int load);
  void CommandSaveSlot_Click();

  // The place of the selected row, if any.
  const worlddata::Place* SelectedPlace() const;
  // Selects the first listed row whose code is the given one; false when
  // it is not listed.
  bool SelectCode(int code);
  // Chooses a year of the chooser; false when it is not one of them.
  bool SelectYear(int year);

  // The window's first size, whoever places it.
  QSize sizeHint() const override;

 signals:
  // After a load went into the model: which (a Load value) and from where,
  // as "日本 (392) 1950, UN WPP 2019". Not sent when the tables could not
  // give the location and year.
  void Loaded(int load, const QString& source);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ConnectEvents();
  void UpdateButtons();
  // The selected place's preset of the chosen year, or nothing after saying
  // in the window why it could not be made.
  std::optional<wpp::Preset> SelectedPreset();
  void SayLoaded();

  // LoadHost
  void Beep() override;
  void RequestReset() override;
  bool WorldClockRunning() const override;

  ModulePopulation& m_;
  ModelDisplay& display_;
  FrameServices& frame_;
  const worlddata::WorldTables* tables_ = nullptr;
  // What this window last put into the model, as "日本 (392) 1950".
  std::string loadedPopulation_, loadedRates_;

  QLineEdit* textSearch_ = nullptr;
  QTreeWidget* listPlaces_ = nullptr;
  QComboBox* comboYear_ = nullptr;
  std::array<QPushButton*, 3> commandLoad_{};
  QComboBox* comboSlot_ = nullptr;
  QPushButton* commandSaveSlot_ = nullptr;
  QLabel* labelLoaded_ = nullptr;
  QLabel* labelCredit_ = nullptr;
};

}  // namespace velmora
