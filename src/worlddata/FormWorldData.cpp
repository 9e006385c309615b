#include "worlddata/FormWorldData.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>
#include <exception>

#include "platform/Platform.h"
#include "presets/MessageText.h"
#include "presets/SlotFiles.h"
#include "worlddata/core/SlotSave.h"

namespace velmora {
namespace {

constexpr const char* kCaption = "世界のデータ";
constexpr std::array<const char*, 3> kLoadCaptions{"人口読込(&P)", "関数読込(&R)", "両方読込(&B)"};
// The slots 1..4 under the names the settings window's lists give them.
constexpr std::array<const char*, 4> kSlotNames{"1 発展途上国型", "2 先進国型", "3 中間型", "4 世界型"};
constexpr int kDefaultYear = 2020;  // the last year of estimates
constexpr const char* kDataEdition = "UN WPP 2019";
// The client size in twips: wide enough for both names, tall enough for a
// useful list.
constexpr int kClientWidth = 8400;
constexpr int kClientHeight = 6600;

enum Column : int { kColumnJapanese = 0, kColumnEnglish, kColumnType, kColumnCode, kColumns };
constexpr int kPlaceRole = Qt::UserRole;  // the row's index into the places

QString Text(const std::string& text) { return QString::fromStdString(text); }

std::string Described(const worlddata::Place& place, int year) {
  return place.japanese + " (" + place.code + ") " + std::to_string(year);
}

}  // namespace

FormWorldData::FormWorldData(ModulePopulation& model, ModelDisplay& display, FrameServices& frame, QWidget* parent)
    : QWidget(parent), m_(model), display_(display), frame_(frame) {
  setWindowTitle(QString::fromUtf8(kCaption));
  resize(sizeHint());

  textSearch_ = new QLineEdit(this);
  textSearch_->setPlaceholderText(QString::fromUtf8("日本語名・英語名・コードで検索"));
  textSearch_->setClearButtonEnabled(true);
  auto* searchLabel = new QLabel(QString::fromUtf8("検索(&F)"), this);
  searchLabel->setBuddy(textSearch_);

  listPlaces_ = new QTreeWidget(this);
  listPlaces_->setColumnCount(kColumns);
  listPlaces_->setHeaderLabels({QString::fromUtf8("名前"), QString::fromUtf8("英語名 (UN)"), QString::fromUtf8("種類"),
                                QString::fromUtf8("コード")});
  listPlaces_->setRootIsDecorated(false);
  listPlaces_->setUniformRowHeights(true);
  listPlaces_->setAllColumnsShowFocus(true);
  listPlaces_->setSelectionMode(QAbstractItemView::SingleSelection);
  listPlaces_->header()->setStretchLastSection(false);
  listPlaces_->header()->setSectionResizeMode(kColumnEnglish, QHeaderView::Stretch);
  listPlaces_->setColumnWidth(kColumnJapanese, platform::TwipsToPixels(2700));
  listPlaces_->setColumnWidth(kColumnType, platform::TwipsToPixels(1200));
  listPlaces_->setColumnWidth(kColumnCode, platform::TwipsToPixels(900));
  listPlaces_->header()->setMinimumSectionSize(platform::TwipsToPixels(600));

  comboYear_ = new QComboBox(this);
  for (const int year : worlddata::PresetYears()) comboYear_->addItem(QString::number(year), year);
  comboYear_->setCurrentIndex(comboYear_->findData(kDefaultYear));
  auto* yearLabel = new QLabel(QString::fromUtf8("年(&Y)"), this);
  yearLabel->setBuddy(comboYear_);

  for (std::size_t i = 0; i < commandLoad_.size(); ++i)
    commandLoad_[i] = new QPushButton(QString::fromUtf8(kLoadCaptions[i]), this);
  comboSlot_ = new QComboBox(this);
  for (const char* slot : kSlotNames) comboSlot_->addItem(QString::fromUtf8(slot));
  commandSaveSlot_ = new QPushButton(QString::fromUtf8("スロットに保存(&S)"), this);

  labelLoaded_ = new QLabel(this);
  labelLoaded_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  labelCredit_ = new QLabel(QString::fromUtf8(wpp::kCredit), this);
  labelCredit_->setWordWrap(true);
  QFont small = labelCredit_->font();
  small.setPointSizeF(small.pointSizeF() * 0.9);
  labelCredit_->setFont(small);

  auto* search = new QHBoxLayout;
  search->addWidget(searchLabel);
  search->addWidget(textSearch_, 1);
  auto* loads = new QHBoxLayout;
  loads->addWidget(yearLabel);
  loads->addWidget(comboYear_);
  for (QPushButton* button : commandLoad_) loads->addWidget(button);
  loads->addStretch(1);
  auto* save = new QHBoxLayout;
  save->addWidget(comboSlot_);
  save->addWidget(commandSaveSlot_);
  save->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(search);
  layout->addWidget(listPlaces_, 1);
  layout->addLayout(loads);
  layout->addLayout(save);
  layout->addWidget(labelLoaded_);
  layout->addWidget(labelCredit_);

  ConnectEvents();
  UpdateButtons();
}

QSize FormWorldData::sizeHint() const {
  return {platform::TwipsToPixels(kClientWidth), platform::TwipsToPixels(kClientHeight)};
}

void FormWorldData::ConnectEvents() {
  connect(textSearch_, &QLineEdit::textChanged, this, &FormWorldData::TextSearch_Change);
  connect(listPlaces_, &QTreeWidget::itemSelectionChanged, this, &FormWorldData::UpdateButtons);
  for (int i = 0; i < static_cast<int>(commandLoad_.size()); ++i)
    connect(commandLoad_[i], &QPushButton::clicked, this, [this, i] { CommandLoad_Click(i); });
  connect(commandSaveSlot_, &QPushButton::clicked, this, &FormWorldData::CommandSaveSlot_Click);
}

void FormWorldData::showEvent(QShowEvent* event) {
  Form_Load();
  QWidget::showEvent(event);
}

void FormWorldData::Form_Load() {
  if (tables_ != nullptr && tables_->Ready()) return;
  tables_ = &worlddata::WorldTables::Of(std::filesystem::path(m_.AppPath) / "wpp2019");
  listPlaces_->clear();
  if (!tables_->Ready()) {
    labelLoaded_->setText(Text(tables_->Problem()));
    UpdateButtons();
    return;
  }
  const std::vector<worlddata::Place>& places = tables_->Places();
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(places.size()));
  for (std::size_t i = 0; i < places.size(); ++i) {
    const worlddata::Place& place = places[i];
    auto* item = new QTreeWidgetItem(
        {Text(place.japanese), Text(place.english), Text(std::string(place.type)), Text(place.code)});
    item->setData(kColumnJapanese, kPlaceRole, static_cast<qulonglong>(i));
    item->setTextAlignment(kColumnCode, Qt::AlignRight | Qt::AlignVCenter);
    items.append(item);
  }
  listPlaces_->addTopLevelItems(items);
  TextSearch_Change();
  SayLoaded();
}

void FormWorldData::TextSearch_Change() {
  if (tables_ == nullptr || !tables_->Ready()) return;
  const std::vector<std::size_t> shown =
      worlddata::MatchingPlaces(tables_->Places(), textSearch_->text().toStdString());
  std::vector<bool> visible(tables_->Places().size(), false);
  for (const std::size_t i : shown) visible[i] = true;
  listPlaces_->setUpdatesEnabled(false);
  for (int row = 0; row < listPlaces_->topLevelItemCount(); ++row) {
    QTreeWidgetItem* item = listPlaces_->topLevelItem(row);
    const auto index = item->data(kColumnJapanese, kPlaceRole).toULongLong();
    const bool hide = !visible[index];
    if (item->isHidden() != hide) item->setHidden(hide);
    if (hide && item->isSelected()) item->setSelected(false);
  }
  listPlaces_->setUpdatesEnabled(true);
  // A search that leaves one location selects it, so that Enter-and-load
  // needs no click.
  if (shown.size() == 1) SelectCode(tables_->Places()[shown.front()].location.code);
  UpdateButtons();
}

const worlddata::Place* FormWorldData::SelectedPlace() const {
  if (tables_ == nullptr || !tables_->Ready()) return nullptr;
  const QList<QTreeWidgetItem*> selected = listPlaces_->selectedItems();
  if (selected.isEmpty() || selected.front()->isHidden()) return nullptr;
  const auto index = selected.front()->data(kColumnJapanese, kPlaceRole).toULongLong();
  return index < tables_->Places().size() ? &tables_->Places()[index] : nullptr;
}

bool FormWorldData::SelectCode(int code) {
  for (int row = 0; row < listPlaces_->topLevelItemCount(); ++row) {
    QTreeWidgetItem* item = listPlaces_->topLevelItem(row);
    if (item->isHidden() || item->text(kColumnCode) != QString::number(code)) continue;
    listPlaces_->setCurrentItem(item);
    item->setSelected(true);
    listPlaces_->scrollToItem(item);
    return true;
  }
  return false;
}

bool FormWorldData::SelectYear(int year) {
  const int index = comboYear_->findData(year);
  if (index < 0) return false;
  comboYear_->setCurrentIndex(index);
  return true;
}

void FormWorldData::UpdateButtons() {
  const bool ready = tables_ != nullptr && tables_->Ready();
  const bool chosen = SelectedPlace() != nullptr;
  textSearch_->setEnabled(ready);
  listPlaces_->setEnabled(ready);
  comboYear_->setEnabled(ready);
  comboSlot_->setEnabled(ready);
  for (QPushButton* button : commandLoad_) button->setEnabled(chosen);
  commandSaveSlot_->setEnabled(chosen);
}

std::optional<wpp::Preset> FormWorldData::SelectedPreset() {
  const worlddata::Place* place = SelectedPlace();
  if (place == nullptr) return std::nullopt;
  try {
    return tables_->Build(*place, comboYear_->currentData().toInt());
  } catch (const std::exception& failure) {
    // A location the tables cannot give for that year: the model is left as it was.
    labelLoaded_->setText(QString::fromUtf8("読み込めません: ") + Text(presets::Shown(failure.what(), 200)));
    return std::nullopt;
  }
}

void FormWorldData::CommandLoad_Click(int load) {
  if (load < kLoadPopulation || load > kLoadBoth) return;
  const std::optional<wpp::Preset> preset = SelectedPreset();
  if (!preset) return;
  const worlddata::Place& place = *SelectedPlace();
  const std::string what = Described(place, preset->year);
  switch (load) {
    case kLoadPopulation:
      worlddata::LoadPopulation(m_, display_, *this, *preset);
      loadedPopulation_ = what;
      break;
    case kLoadRates:
      worlddata::LoadRates(m_, display_, *this, *preset);
      loadedRates_ = what;
      break;
    default:
      worlddata::LoadBoth(m_, display_, *this, *preset);
      loadedPopulation_ = loadedRates_ = what;
      break;
  }
  SayLoaded();
  emit Loaded(load, Text(what + ", " + kDataEdition));
}

void FormWorldData::CommandSaveSlot_Click() {
  const std::optional<wpp::Preset> preset = SelectedPreset();
  if (!preset) return;
  const int slot = comboSlot_->currentIndex() + 1;
  const std::string data = std::filesystem::path(m_.AppPath) / "Data";
  const std::string slotName = kSlotNames.at(static_cast<std::size_t>(slot - 1));
  const std::string what = Described(*SelectedPlace(), preset->year);
  const bool replace = worlddata::SlotHasFiles(data, slot);
  if (replace) {
    const platform::Answer answer =
        platform::Current().ShowMessage("スロット " + slotName + " のファイル（" + presets::PopulationFileName(slot) +
                                            "、" + presets::RateFileName(slot) + "）を " + what + " で置き換えますか？",
                                        "スロットに保存", platform::Buttons::YesNo, platform::Icon::Exclamation);
    if (answer != platform::Answer::Yes) return;
  }
  try {
    // Files that appear after the question are not replaced unasked.
    worlddata::SaveSlot(data, slot, *preset, replace);
  } catch (const std::exception& failure) {
    platform::Current().ShowMessage(
        "スロット " + slotName + " に保存できませんでした。\r" + presets::Shown(failure.what(), 300), "スロットに保存",
        platform::Buttons::Ok, platform::Icon::Exclamation);
    return;
  }
  platform::Current().Beep();
  labelLoaded_->setText(Text("スロット " + slotName + " に保存: " + what + ", " + kDataEdition));
}

void FormWorldData::SayLoaded() {
  std::string line;
  if (loadedPopulation_.empty() && loadedRates_.empty()) {
    line = "国・地域と年を選んで読み込みます";
  } else if (loadedPopulation_ == loadedRates_) {
    line = "人口と関数: " + loadedPopulation_ + ", " + kDataEdition;
  } else {
    if (!loadedPopulation_.empty()) line += "人口: " + loadedPopulation_;
    if (!loadedRates_.empty()) line += std::string(line.empty() ? "" : "　") + "関数: " + loadedRates_;
    line += std::string(", ") + kDataEdition;
  }
  labelLoaded_->setText(Text(line));
}

void FormWorldData::Beep() { platform::Current().Beep(); }

void FormWorldData::RequestReset() { frame_.RequestCommand(kCommandReset); }

bool FormWorldData::WorldClockRunning() const { return frame_.WorldClockRunning(); }

}  // namespace velmora
