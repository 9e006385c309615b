#pragma once

#include <QSize>

class QWidget;

namespace velmora {

// What every child window is to the frame, which holds it in a sub-window
// of the workspace and opens and closes it by its index.
class ChildForm {
 public:
  virtual ~ChildForm() = default;

  // The widget the sub-window holds; its title is the window's caption.
  virtual QWidget& Content() = 0;
  // Prepares a fresh window whose client area is client (pixels) and returns
  // the content's size: the client area, plus any bar above the drawing.
  virtual QSize PrepareFresh(QSize client) { return client; }
  // The drawing area's size: opening a window that changes it runs the
  // resize handling by itself.
  virtual QSize DrawingSize() = 0;
  // A window opened afresh (again after a close) runs its load handling; a
  // chart whose drawing area kept its size runs its resize handling here.
  virtual void Opened(bool drawingResized) = 0;
};

}  // namespace velmora
