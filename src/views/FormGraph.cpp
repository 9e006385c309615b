#include "views/FormGraph.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>

#include "model/Census.h"
#include "views/ChartPainters.h"
#include "views/GraphMouse.h"
#include "views/GraphReadout.h"

namespace velmora {

namespace {
// The marker's top edge: one pixel into the information line, so that its
// rectangle frames the full drawing height below.
constexpr int kMarkerTop = 16;
}  // namespace

FormGraph::FormGraph(ModulePopulation& model, ModelDisplay& display, FrameServices& frame, QWidget* parent)
    : ChartWindow(parent), m_(model), display_(display), frame_(frame), shapeG_(new QFrame(this)) {
  setWindowTitle(QString::fromUtf8("総人口と構成表示"));
  setMouseTracking(true);
  shapeG_->setFrameStyle(QFrame::Box | QFrame::Plain);
  shapeG_->setLineWidth(1);
  QPalette white = shapeG_->palette();
  white.setColor(QPalette::WindowText, Qt::white);
  shapeG_->setPalette(white);
  shapeG_->setAutoFillBackground(false);
  // The columns show through the marker and the pointer reaches the window
  // beneath it.
  shapeG_->setAttribute(Qt::WA_TransparentForMouseEvents);
  shapeG_->setGeometry(0, kMarkerTop, 0, 0);
  shapeG_->hide();
}

void FormGraph::SetPenWidth(int width) { Picture().SetPenWidth(width); }

void FormGraph::DrawGraphColumn(Int16 column, const WorldRecord& people, HeadCount fullScale) {
  const GraphArea area{m_.ViewSize[0], m_.ViewSize[1], static_cast<double>(height())};
  Canvas& canvas = Picture();
  if (PaintGraphColumn(canvas, area, column, people, fullScale, m_.GraphAgeOrder == 0)) {
    // Repaint only the strip of the new column: a whole graph is megabytes
    // to copy, once a year.
    const int c = column;
    const float x0 = static_cast<float>(area.width / 100.0 * (c - 1));
    const float x1 = static_cast<float>(area.width / 100.0 * c);
    const int margin = canvas.PenWidth() + 1;
    const int left = static_cast<int>(std::floor(std::min(x0, x1))) - margin;
    const int right = static_cast<int>(std::ceil(std::max(x0, x1))) + margin;
    update(left, 0, right - left + 1, height());
  }
  ShowInformationLine();
}

void FormGraph::ShowInformationLine() { LabelInfo()->setText(QString::fromStdString(GraphInfoLine(m_))); }

void FormGraph::Form_MouseMove(int, int shift, float x, float) {
  const std::optional<Int16> band = HoverBand(x, m_.ViewSize[0]);
  if (!band) return;
  const Int16 d = *band;
  if (shift == 1 || d == m_.SelectedYear) return;
  m_.SelectedYear = d;
  m_.Exploded = 0;
  const WorldRecord& past = m_.WorldHistory[d];
  TakeCensus(m_.GraphCensus, past, m_, display_);
  if (m_.GraphCensus.Total <= HeadCount() || m_.Exploded != 0) return;
  ShowInformationLine();
  if (frame_.WorldClockRunning()) return;
  // In wide arithmetic: W x d leaves the 16-bit range on any window wider
  // than 327 pixels.
  const int w = m_.ViewSize[0];
  shapeG_->move(Int16::Round(w * int{d} / 101.0), kMarkerTop);
  shapeG_->show();
  shapeG_->raise();
  frame_.ShowPastYear(d, past, m_.GraphCensus);
}

void FormGraph::Form_MouseDown(int button, int, float, float) {
  Int16 code = m_.RunState;
  if (button == 1) {
    switch (m_.RunState) {
      case kPaused:
        code = kCommandResume;
        break;
      case kIdle:
        code = kCommandStart;
        break;
      case kRunning:
        code = kCommandBreak;
        break;
      default:
        break;  // an unknown state is requested as it stands
    }
  } else {
    code = kCommandReset;
  }
  frame_.RequestCommand(code);
}

void FormGraph::Form_Resize() {
  ResizePicture();
  m_.ViewSize[0] = Int16(width());
  const int w = m_.ViewSize[0];
  m_.ViewSize[1] = Int16(height() - kLabelInfoHeight);
  // A window lower than the information line has no drawing height; the
  // marker then shrinks to nothing rather than take a negative size.
  const int h = std::max<int>(m_.ViewSize[1], 0);
  shapeG_->resize(Int16::Round(w / 100.0), h);
}

void FormGraph::Form_Load() {
  LoadInformationLine();
  shapeG_->hide();
}

// Reopened, the window shows nothing of what it showed before its close.
QSize FormGraph::PrepareFresh(QSize client) {
  Form_Load();
  return client;
}

void FormGraph::Opened(bool drawingResized) {
  if (!drawingResized) Form_Resize();
}

void FormGraph::Form_Unload() { frame_.SetWindowMenuCheck(kWindowGraph, false); }

void FormGraph::resizeEvent(QResizeEvent*) { Form_Resize(); }

void FormGraph::mouseMoveEvent(QMouseEvent* event) {
  Form_MouseMove(MouseButtonCode(event->buttons()), ShiftCode(event->modifiers()), event->position().x(),
                 event->position().y());
}

void FormGraph::mousePressEvent(QMouseEvent* event) {
  Form_MouseDown(MouseButtonCode(event->button()), ShiftCode(event->modifiers()), event->position().x(),
                 event->position().y());
}

// The close is never refused.
void FormGraph::closeEvent(QCloseEvent*) { Form_Unload(); }

}  // namespace velmora
