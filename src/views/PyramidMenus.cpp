#include "views/PyramidMenus.h"

#include "views/PyramidCaptions.h"

namespace velmora {
namespace {

QAction* AddItem(QMenu* menu, const char* caption) {
  QAction* item = menu->addAction(QString::fromUtf8(caption));
  item->setCheckable(true);
  return item;
}

template <std::size_t N>
void AddItems(QMenu* menu, std::array<QAction*, N>& items, const std::array<const char*, N>& captions) {
  for (std::size_t i = 0; i < N; ++i) items[i] = AddItem(menu, captions[i]);
}

}  // namespace

PyramidMenus::PyramidMenus() : Bar(new WrappingMenuBar()) {
  using namespace pyramid_text;

  MenuInputMode = Bar->addMenu(QString::fromUtf8(kCaptionInputMode));
  MenuAbs = AddItem(MenuInputMode, kCaptionAbs);
  MenuBar = MenuInputMode->addSeparator();
  AddItems(MenuInputMode, MenuPeople, kCaptionPeople);
  AddItems(MenuInputMode, MenuMode, kCaptionMode);

  MenuInputScale = Bar->addMenu(QString::fromUtf8(kCaptionInputScale));
  AddItems(MenuInputScale, MenuBaseScale, kCaptionBaseScale);
  MenuModeBar = MenuInputScale->addSeparator();
  AddItems(MenuInputScale, MenuScale, kCaptionScale);

  MenuTime = Bar->addMenu(QString::fromUtf8(kCaptionTime));
  AddItems(MenuTime, MenuBefAft, kCaptionBefAft);

  MenuFunc = Bar->addMenu(QString::fromUtf8(kCaptionFunc));
  AddItems(MenuFunc, MenuMoveFunc, kCaptionMoveFunc);

  MenuAbs->setChecked(true);
  MenuBaseScale[0]->setChecked(true);
  MenuScale[3]->setChecked(true);
  MenuBefAft[0]->setChecked(true);
  MenuMoveFunc[0]->setChecked(true);
}

int PyramidMenus::CheckedScale() const {
  for (std::size_t k = 0; k < MenuScale.size(); ++k) {
    if (MenuScale[k]->isChecked()) return static_cast<int>(k);
  }
  return 0;
}

}  // namespace velmora
