#include "frame/ChildWindows.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "model/Failure.h"
#include "scenario/FormSetting.h"
#include "views/FormCircle.h"
#include "views/FormGraph.h"
#include "views/FormPyramid.h"
#include "views/FormText.h"
#include "views/PyramidWindow.h"

namespace velmora {
namespace {

std::size_t Slot(int index) {
  if (index < 0 || index >= kWindowCount) throw Failure{kSubscriptOutOfRange};
  return static_cast<std::size_t>(index);
}

template <typename Form>
Form& As(ChildForm& form) {
  return dynamic_cast<Form&>(form);
}

}  // namespace

ChildWindows::ChildWindows(QMdiArea& area, ModulePopulation& model, ModelDisplay& display, FrameServices& frame)
    : area_(area) {
  const FormParts parts{model, display, frame};
  for (const WindowEntry& entry : WindowList()) {
    ChildForm* form = entry.create(parts);
    auto* window = new QMdiSubWindow();
    QWidget& content = form->Content();
    window->setWidget(&content);
    window->setWindowTitle(content.windowTitle());
    QObject::connect(&content, &QWidget::windowTitleChanged, window, &QWidget::setWindowTitle);
    if (entry.fixedBorder) {
      window->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                             Qt::WindowCloseButtonHint);
    }
    forms_[Slot(entry.id)] = form;
    windows_[Slot(entry.id)] = window;
  }
}

ChildWindows::~ChildWindows() {
  // A window never opened has no parent yet; the workspace owns the others.
  for (QMdiSubWindow* window : windows_) {
    if (window->parent() == nullptr) delete window;
  }
}

ChildForm& ChildWindows::Form(int index) const { return *forms_[Slot(index)]; }
FormText& ChildWindows::Text() const { return As<FormText>(Form(kWindowController)); }
FormSetting& ChildWindows::Setting() const { return As<FormSetting>(Form(kWindowSettings)); }
FormGraph& ChildWindows::Graph() const { return As<FormGraph>(Form(kWindowGraph)); }
FormPyramid& ChildWindows::Pyramid() const { return As<PyramidWindow>(Form(kWindowPyramid)).Pyramid(); }
FormCircle& ChildWindows::Circle() const { return As<FormCircle>(Form(kWindowCircle)); }

QMdiSubWindow& ChildWindows::Window(int index) const { return *windows_[Slot(index)]; }

bool ChildWindows::IsOpen(int index) const { return added_[Slot(index)] && !Window(index).isHidden(); }

bool ChildWindows::IsActive(int index) const { return IsOpen(index) && area_.activeSubWindow() == &Window(index); }

void ChildWindows::Open(int index) {
  if (IsOpen(index)) {
    // A minimized window comes back at its last normal size.
    if (Window(index).isMinimized()) Window(index).showNormal();
    area_.setActiveSubWindow(&Window(index));
    Window(index).raise();
    return;
  }
  OpenAtDefaultPosition(index);
}

void ChildWindows::OpenAtDefaultPosition(int index) {
  QMdiSubWindow& window = Window(index);
  const std::size_t slot = Slot(index);
  const WindowEntry& entry = WindowList()[slot];
  // The frame's border and caption are known only while the window is in the
  // workspace. It then leaves the workspace and comes back at its new size,
  // so that the workspace chooses its position as it does for a new window.
  if (!added_[slot]) area_.addSubWindow(&window);
  const QMargins frame = window.contentsMargins();
  area_.removeSubWindow(&window);
  window.setAttribute(Qt::WA_Moved, false);

  ChildForm& form = Form(index);
  QWidget& content = form.Content();
  const QSize drawingBefore = form.DrawingSize();
  const QSize client =
      form.PrepareFresh({platform::TwipsToPixels(entry.clientWidth), platform::TwipsToPixels(entry.clientHeight)});
  content.resize(client);
  const QSize outer = client.grownBy(frame);
  if (entry.fixedBorder) {
    window.setFixedSize(outer);
  } else {
    window.resize(outer);
  }
  area_.addSubWindow(&window);
  added_[slot] = true;
  content.show();
  window.show();
  // A chart whose drawing area changed has just run its resize handling.
  form.Opened(form.DrawingSize() != drawingBefore);
}

void ChildWindows::Close(int index) {
  if (IsOpen(index)) Window(index).close();
}

bool ChildWindows::Focus(int index) {
  if (!IsOpen(index)) return false;
  QMdiSubWindow& window = Window(index);
  area_.setActiveSubWindow(&window);
  window.raise();
  return true;
}

TwipRect ChildWindows::Geometry(int index) const { return platform::PixelsToTwips(Window(index).geometry()); }

void ChildWindows::Move(int index, int left, int top) {
  Window(index).move(platform::TwipsToPixels(left), platform::TwipsToPixels(top));
}

void ChildWindows::SetGeometry(int index, const TwipRect& rect) {
  Window(index).setGeometry(platform::TwipsToPixels(rect));
}

}  // namespace velmora
