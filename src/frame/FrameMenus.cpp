#include "frame/FrameMenus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "frame/WindowList.h"

namespace velmora {
namespace {

QAction* Item(QMenu* menu, const char* caption) { return menu->addAction(QString::fromUtf8(caption)); }

QAction* CheckItem(QMenu* menu, const char* caption, bool checked) {
  QAction* action = Item(menu, caption);
  action->setCheckable(true);
  action->setChecked(checked);
  return action;
}

}  // namespace

FrameMenus BuildFrameMenus(QMenuBar& bar) {
  FrameMenus m;
  m.MenuMenu = bar.addMenu(QString::fromUtf8("メニュー(&M)"));
  m.MenuStart = Item(m.MenuMenu, "開始(&S)");
  m.MenuAgain = Item(m.MenuMenu, "再開(&A)");
  m.MenuBreak = Item(m.MenuMenu, "中断(&B)");
  m.MenuReset = Item(m.MenuMenu, "初期化(&R)");
  m.MenuBar = m.MenuMenu->addSeparator();
  m.MenuEnd = Item(m.MenuMenu, "終了(&E)");

  m.MenuWindows = bar.addMenu(QString::fromUtf8("ウィンドウ(&W)"));
  for (const WindowEntry& entry : WindowList()) {
    m.MenuWShow[static_cast<std::size_t>(entry.id)] = CheckItem(m.MenuWindows, entry.menuCaption, entry.checkedAtStart);
  }

  m.MenuSetting = bar.addMenu(QString::fromUtf8("セッティング(&S)"));
  m.MenuWSet[0] = m.MenuSetting->addMenu(QString::fromUtf8("グラフ(&W)"));
  m.MenuAgeOrder[0] = CheckItem(m.MenuWSet[0], "高齢―生産―若年(&O)", true);
  m.MenuAgeOrder[1] = CheckItem(m.MenuWSet[0], "若年―生産―高齢(&Y)", false);
  m.MenuWSet[1] = m.MenuSetting->addMenu(QString::fromUtf8("ピラミッド(&P)"));
  m.MenuAgeClass[0] = CheckItem(m.MenuWSet[1], "階級／五年", true);
  m.MenuAgeClass[1] = CheckItem(m.MenuWSet[1], "階級／一年", false);

  m.MenuInfo = bar.addMenu(QString::fromUtf8("インフォメーション(&I)"));
  m.MenuCopyright = Item(m.MenuInfo, "製作者(&C)");

  // D is none of the pyramid's own menu letters, so Alt+D opens this menu
  // whichever window is active.
  m.MenuData = bar.addMenu(QString::fromUtf8("データ(&D)"));
  m.MenuWorldData = Item(m.MenuData, "世界の人口と率(&W)...");
  m.MenuIndicators = CheckItem(m.MenuData, "指標(&I)", false);
  m.MenuStableOutline = CheckItem(m.MenuData, "安定人口を重ねる(&S)", false);
  return m;
}

}  // namespace velmora
