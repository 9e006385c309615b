#include "frame/AccessKeys.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QShortcutEvent>
#include <utility>

namespace velmora {
namespace {

QAction* TitleWithKey(const QMenuBar& bar, const QKeySequence& key) {
  for (QAction* title : bar.actions()) {
    if (title->menu() != nullptr && title->isVisible() && QKeySequence::mnemonic(title->text()) == key) return title;
  }
  return nullptr;
}

// Opens a title's menu as its own access key does: the menu drops down with
// its first item highlighted, so the item letters and arrows work at once.
void Open(QMenuBar& bar, QAction& title) {
  bar.setActiveAction(&title);
  QMenu* menu = title.menu();
  if (menu == nullptr || !menu->isVisible()) return;
  for (QAction* item : menu->actions()) {
    if (!item->isSeparator() && item->isEnabled() && item->isVisible()) {
      menu->setActiveAction(item);
      break;
    }
  }
}

}  // namespace

AccessKeys::AccessKeys(QMenuBar& frameBar, std::vector<QMenuBar*> pyramidLines, std::function<bool()> pyramidActive,
                       QObject* parent)
    : QObject(parent),
      frameBar_(frameBar),
      pyramidLines_(std::move(pyramidLines)),
      pyramidActive_(std::move(pyramidActive)) {
  frameBar_.installEventFilter(this);
  for (QMenuBar* line : pyramidLines_) line->installEventFilter(this);
}

AccessKeys::Target AccessKeys::TargetOf(const QKeySequence& key) const {
  if (pyramidActive_()) {
    for (QMenuBar* line : pyramidLines_) {
      if (QAction* title = TitleWithKey(*line, key)) return {line, title};
    }
  }
  if (QAction* title = TitleWithKey(frameBar_, key)) return {&frameBar_, title};
  return {};
}

// The toolkit hands an access key to one of the bars that registered it. The
// bar that the rule names opens its menu as usual; any other bar's turn is
// taken over and the right menu opened instead.
bool AccessKeys::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Shortcut) return false;
  const Target target = TargetOf(static_cast<QShortcutEvent*>(event)->key());
  if (target.bar == nullptr || target.bar == watched) return false;
  Open(*target.bar, *target.title);
  return true;
}

}  // namespace velmora
