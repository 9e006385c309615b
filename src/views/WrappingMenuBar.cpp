#include "views/WrappingMenuBar.h"

#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <algorithm>

namespace velmora {
namespace {

QMenuBar* NewLine(QWidget* parent) {
  auto* line = new QMenuBar(parent);
  // The lines belong inside their window, never to a desktop-wide menu.
  line->setNativeMenuBar(false);
  line->hide();
  return line;
}

}  // namespace

WrappingMenuBar::WrappingMenuBar(QWidget* parent) : QWidget(parent), measure_(NewLine(this)) {
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QMenu* WrappingMenuBar::addMenu(const QString& title) {
  auto* menu = new QMenu(title, this);
  QAction* action = menu->menuAction();
  titles_.push_back(action);
  lines_.push_back(NewLine(this));
  measure_->addAction(action);
  addAction(action);
  Reflow();
  updateGeometry();
  return menu;
}

// A line holds titles first..last when the last one ends inside the line's
// panel, the test the toolkit's menu bar makes before it hides titles.
std::vector<int> WrappingMenuBar::LineStarts(int width) const {
  std::vector<int> starts;
  if (titles_.empty()) return starts;
  measure_->ensurePolished();  // the widths in the style and font the lines show
  const int panel = measure_->style()->pixelMetric(QStyle::PM_MenuBarPanelWidth, nullptr, measure_);
  const int firstLeft = measure_->actionGeometry(titles_.front()).left();
  int lineLeft = 0;  // where the line's first title lies on the measuring bar
  starts.push_back(0);
  for (int i = 0; i < static_cast<int>(titles_.size()); ++i) {
    const QRect title = measure_->actionGeometry(titles_[static_cast<std::size_t>(i)]);
    if (i == starts.back()) {
      lineLeft = title.left();
      continue;
    }
    const int right = firstLeft + (title.right() - lineLeft);
    if (right > width - 1 - panel) {
      starts.push_back(i);
      lineLeft = title.left();
    }
  }
  return starts;
}

int WrappingMenuBar::LineCount(int width) const { return static_cast<int>(LineStarts(width).size()); }

int WrappingMenuBar::LineHeight() const { return measure_->sizeHint().height(); }

int WrappingMenuBar::heightForWidth(int width) const { return std::max(1, LineCount(width)) * LineHeight(); }

QSize WrappingMenuBar::sizeHint() const {
  const int right = titles_.empty() ? 0 : measure_->actionGeometry(titles_.back()).right();
  const int panel = measure_->style()->pixelMetric(QStyle::PM_MenuBarPanelWidth, nullptr, measure_);
  return {right + 1 + panel, LineHeight()};
}

QSize WrappingMenuBar::minimumSizeHint() const { return {0, LineHeight()}; }

void WrappingMenuBar::resizeEvent(QResizeEvent*) { Reflow(); }

// A new font or style changes the titles' widths, so the lines again.
bool WrappingMenuBar::event(QEvent* event) {
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
    updateGeometry();
    Reflow();
  }
  return QWidget::event(event);
}

void WrappingMenuBar::Reflow() {
  std::vector<int> starts = LineStarts(width());
  starts.push_back(static_cast<int>(titles_.size()));
  const int lineHeight = LineHeight();
  for (std::size_t n = 0; n < lines_.size(); ++n) {
    QMenuBar* line = lines_[n];
    QList<QAction*> wanted;
    if (n + 1 < starts.size()) {
      for (int i = starts[n]; i < starts[n + 1]; ++i) wanted.push_back(titles_[static_cast<std::size_t>(i)]);
    }
    // Not QList's own comparison: on two empty lists it hands memcmp a null
    // pointer.
    const QList<QAction*> current = line->actions();
    if (!std::equal(current.begin(), current.end(), wanted.begin(), wanted.end())) {
      for (QAction* action : line->actions()) line->removeAction(action);
      line->addActions(wanted);
    }
    if (wanted.isEmpty()) {
      line->hide();
      continue;
    }
    line->setGeometry(0, static_cast<int>(n) * lineHeight, width(), lineHeight);
    line->show();
  }
}

}  // namespace velmora
