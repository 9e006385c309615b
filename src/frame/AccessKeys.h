#pragma once

#include <QObject>
#include <functional>
#include <vector>

class QAction;
class QMenuBar;

namespace velmora {

// Decides which menu an access key opens. The frame's menu bar and the
// pyramid window's own bar sit in one top-level window and share the letters
// M and S; left to the toolkit, such a key is ambiguous and opens the two
// menus in turn, or none. The rule: while the pyramid is the active window,
// the letters of its own bar open its menus and the frame's other letters
// (W, I) the frame's; at every other moment the frame's letters open the
// frame's menus.
class AccessKeys : public QObject {
 public:
  // pyramidLines: the lines of the pyramid's bar; pyramidActive tells whether
  // the pyramid is the active window at the moment of a key.
  AccessKeys(QMenuBar& frameBar, std::vector<QMenuBar*> pyramidLines, std::function<bool()> pyramidActive,
             QObject* parent);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Target {
    QMenuBar* bar = nullptr;
    QAction* title = nullptr;
  };
  // The bar and title that an access key opens now; none for a key that is no
  // title's letter.
  Target TargetOf(const QKeySequence& key) const;

  QMenuBar& frameBar_;
  std::vector<QMenuBar*> pyramidLines_;
  std::function<bool()> pyramidActive_;
};

}  // namespace velmora
