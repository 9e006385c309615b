#pragma once

#include <QWidget>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;

namespace velmora {

// A menu bar that keeps every title in sight at any width: titles that do not
// fit on a line go on to the next one, as a native menu bar wraps, instead of
// hiding behind an overflow button. Each line is a menu bar of its own; the
// bar reports its height for a width, so a layout gives the widget below it
// exactly what is left.
class WrappingMenuBar : public QWidget {
  Q_OBJECT
 public:
  explicit WrappingMenuBar(QWidget* parent = nullptr);

  // Appends a top-level menu; the bar owns it. Its title action is also one
  // of this widget's actions(), in title order.
  QMenu* addMenu(const QString& title);

  // Every line, in order; a title has a line of its own at most, so there are
  // as many lines as titles. Lines without titles are hidden.
  const std::vector<QMenuBar*>& Lines() const { return lines_; }
  // How many lines the titles take at a width.
  int LineCount(int width) const;

  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;

 private:
  // The index of the first title of each line at a width.
  std::vector<int> LineStarts(int width) const;
  int LineHeight() const;
  void Reflow();

  std::vector<QAction*> titles_;
  std::vector<QMenuBar*> lines_;
  // Holds every title on one line, never shown: the titles' widths and the
  // spacing between them, as the toolkit's own menu bar measures them.
  QMenuBar* measure_;
};

}  // namespace velmora
