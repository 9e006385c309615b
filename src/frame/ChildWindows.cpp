#include "frame/ChildWindows.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QVBoxLayout>

#include "platform/Platform.h"
#include "scenario/FormSetting.h"
#include "views/FormCircle.h"
#include "views/FormGraph.h"
#include "views/FormPyramid.h"
#include "views/FormText.h"

namespace velmora {
namespace {

struct ClientSize {
  int width;  // twips
  int height;
};

// The client area of a fresh window, by window index.
constexpr std::array<ClientSize, 5> kInitialClient{{
    {7410, 1050},   // controller
    {5145, 1050},   // settings
    {10485, 8055},  // graph
    {6000, 4500},   // pyramid (its drawing area, below its menu bar)
    {4680, 3195},   // circle
}};

bool HasFixedBorder(int index) { return index == kWindowController || index == kWindowSettings; }

// Holds the pyramid under its own menu bar. Closing the holder is closing the
// pyramid, so the pyramid's close handling runs.
class PyramidHost final : public QWidget {
 public:
  explicit PyramidHost(FormPyramid& pyramid) : pyramid_(pyramid) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(pyramid.MenuBar());
    layout->addWidget(&pyramid);
  }

 protected:
  void closeEvent(QCloseEvent* event) override { event->setAccepted(pyramid_.close()); }

 private:
  FormPyramid& pyramid_;
};

QSize Pixels(int widthTwips, int heightTwips) {
  return {platform::TwipsToPixels(widthTwips), platform::TwipsToPixels(heightTwips)};
}

}  // namespace

ChildWindows::ChildWindows(QMdiArea& area, ModulePopulation& model, ModelDisplay& display, FrameServices& frame)
    : area_(area),
      text_(new FormText(model, frame)),
      setting_(new FormSetting(model, display, frame)),
      graph_(new FormGraph(model, display, frame)),
      pyramid_(new FormPyramid(model, display, frame)),
      circle_(new FormCircle(model, display, frame)),
      pyramidHost_(new PyramidHost(*pyramid_)) {
  graph_->SetLinkedViews(circle_, pyramid_);
  pyramid_->SetLinkedViews(graph_, circle_);
  for (int i = 0; i < 5; ++i) {
    auto* window = new QMdiSubWindow();
    QWidget& content = Content(i);
    window->setWidget(&content);
    window->setWindowTitle(i == kWindowPyramid ? pyramid_->windowTitle() : content.windowTitle());
    if (HasFixedBorder(i)) {
      window->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                             Qt::WindowCloseButtonHint);
    }
    windows_[static_cast<std::size_t>(i)] = window;
  }
  // The pyramid sits inside a holder under its menu bar, so its caption (which
  // every drawing rewrites) does not reach the sub-window by itself.
  QObject::connect(pyramid_, &QWidget::windowTitleChanged, windows_[kWindowPyramid], &QWidget::setWindowTitle);
}

ChildWindows::~ChildWindows() {
  // A window never opened has no parent yet; the workspace owns the others.
  for (QMdiSubWindow* window : windows_) {
    if (window->parent() == nullptr) delete window;
  }
}

QMdiSubWindow& ChildWindows::Window(int index) const { return *windows_.at(static_cast<std::size_t>(index)); }

QWidget& ChildWindows::Content(int index) const {
  switch (index) {
    case kWindowController:
      return *text_;
    case kWindowSettings:
      return *setting_;
    case kWindowGraph:
      return *graph_;
    case kWindowPyramid:
      return *pyramidHost_;
    case kWindowCircle:
      return *circle_;
    default:
      throw Failure{kSubscriptOutOfRange};
  }
}

bool ChildWindows::IsOpen(int index) const {
  return added_.at(static_cast<std::size_t>(index)) && !Window(index).isHidden();
}

bool ChildWindows::IsActive(int index) const { return IsOpen(index) && area_.activeSubWindow() == &Window(index); }

void ChildWindows::Open(int index) {
  if (IsOpen(index)) {
    area_.setActiveSubWindow(&Window(index));
    Window(index).raise();
    return;
  }
  OpenAtDefaultPosition(index);
}

void ChildWindows::OpenAtDefaultPosition(int index) {
  QMdiSubWindow& window = Window(index);
  const auto slot = static_cast<std::size_t>(index);
  // The frame's border and caption are known only while the window is in the
  // workspace. It then leaves the workspace and comes back at its new size,
  // so that the workspace chooses its position as it does for a new window.
  if (!added_[slot]) area_.addSubWindow(&window);
  const QMargins frame = window.contentsMargins();
  area_.removeSubWindow(&window);
  window.setAttribute(Qt::WA_Moved, false);

  QWidget& content = Content(index);
  const QSize chartBefore = index == kWindowPyramid ? pyramid_->size() : content.size();
  QSize client = Pixels(kInitialClient[slot].width, kInitialClient[slot].height);
  if (index == kWindowPyramid) {
    pyramid_->resize(client);
    client.rheight() += pyramid_->MenuBar()->heightForWidth(client.width());
  }
  content.resize(client);
  const QSize outer = client.grownBy(frame);
  if (HasFixedBorder(index)) {
    window.setFixedSize(outer);
  } else {
    window.resize(outer);
  }
  area_.addSubWindow(&window);
  added_[slot] = true;
  if (index == kWindowPyramid) pyramid_->show();
  content.show();
  window.show();
  const QSize chartAfter = index == kWindowPyramid ? pyramid_->size() : content.size();
  RunLoadHandling(index, chartAfter != chartBefore);
}

void ChildWindows::RunLoadHandling(int index, bool sizeChanged) {
  switch (index) {
    case kWindowController:
      text_->Form_Load();
      break;
    case kWindowSettings:
      setting_->Form_Load();
      break;
    // A chart whose size changed has just run its resize handling; one that
    // comes back at the same size runs it here.
    case kWindowGraph:
      if (!sizeChanged) graph_->Form_Resize();
      break;
    case kWindowPyramid:
      if (!sizeChanged) pyramid_->Form_Resize();
      break;
    case kWindowCircle:
      if (!sizeChanged) circle_->Form_Resize();
      break;
    default:
      break;
  }
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

TwipRect ChildWindows::Geometry(int index) const {
  const QRect r = Window(index).geometry();
  return {platform::PixelsToTwips(r.x()), platform::PixelsToTwips(r.y()), platform::PixelsToTwips(r.width()),
          platform::PixelsToTwips(r.height())};
}

void ChildWindows::Move(int index, int left, int top) {
  Window(index).move(platform::TwipsToPixels(left), platform::TwipsToPixels(top));
}

void ChildWindows::SetGeometry(int index, const TwipRect& rect) {
  Window(index).setGeometry(platform::TwipsToPixels(rect.Left), platform::TwipsToPixels(rect.Top),
                            platform::TwipsToPixels(rect.Width), platform::TwipsToPixels(rect.Height));
}

}  // namespace velmora
