#include "views/FormPyramid.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>

#include "analysis/Indicators.h"
#include "analysis/StablePopulation.h"
#include "views/ChartPainters.h"
#include "views/GraphMouse.h"
#include "views/PyramidCaptions.h"

namespace velmora {
namespace {

constexpr int32_t kBlack = 0;
constexpr int32_t kOutlineColour = 0xFFFFFF;  // white

// The pixel edge that a coordinate falls on, as Canvas rounds corners.
int Edge(double c) { return static_cast<int>(std::floor(c + 0.5)); }

QString Caption(int content) {
  using namespace pyramid_text;
  const char* what = content == kContentBirths   ? kTitleContent[1]
                     : content == kContentDeaths ? kTitleContent[2]
                                                 : kTitleContent[0];
  return QString::fromUtf8(kTitleStem) + QString::fromUtf8(what);
}

}  // namespace

FormPyramid::FormPyramid(ModulePopulation& model, ModelDisplay& display, FrameServices& frame, QWidget* parent)
    : ChartWindow(parent), m_(model), frame_(frame), editor_(*this, model, display, frame) {
  Form_Load();
  menuBarGuard_ = menus_.Bar;
  // Plain moves feed the readout; the label must not swallow presses on it.
  setMouseTracking(true);
  // The right button steps the scale and cycles the content: no context menu.
  setContextMenuPolicy(Qt::PreventContextMenu);
  LabelInfo()->setAttribute(Qt::WA_TransparentForMouseEvents);
  ConnectEvents();
}

FormPyramid::~FormPyramid() {
  // The frame normally adopts the bar; one that was never placed is ours.
  if (menuBarGuard_ && menuBarGuard_->parent() == nullptr) delete menuBarGuard_.data();
}

void FormPyramid::ConnectEvents() {
  connect(menus_.MenuAbs, &QAction::triggered, this, &FormPyramid::MenuAbs_Click);
  for (int i = 0; i < static_cast<int>(menus_.MenuPeople.size()); ++i) {
    connect(menus_.MenuPeople[i], &QAction::triggered, this, [this, i] { MenuPeople_Click(i); });
  }
  for (int i = 0; i < static_cast<int>(menus_.MenuMode.size()); ++i) {
    connect(menus_.MenuMode[i], &QAction::triggered, this, [this, i] { MenuMode_Click(i); });
  }
  for (int i = 0; i < static_cast<int>(menus_.MenuBaseScale.size()); ++i) {
    connect(menus_.MenuBaseScale[i], &QAction::triggered, this, [this, i] { MenuBaseScale_Click(i); });
  }
  for (int i = 0; i < static_cast<int>(menus_.MenuScale.size()); ++i) {
    connect(menus_.MenuScale[i], &QAction::triggered, this, [this, i] { MenuScale_Click(i); });
  }
  for (int i = 0; i < static_cast<int>(menus_.MenuBefAft.size()); ++i) {
    connect(menus_.MenuBefAft[i], &QAction::triggered, this, [this, i] { MenuBefAft_Click(i); });
  }
  for (int i = 0; i < static_cast<int>(menus_.MenuMoveFunc.size()); ++i) {
    connect(menus_.MenuMoveFunc[i], &QAction::triggered, this, [this, i] { MenuMoveFunc_Click(i); });
  }
}

PyramidGeometry FormPyramid::Geometry() const { return PyramidGeometry(m_.ViewSize[2], height(), m_.ViewSize[3]); }

void FormPyramid::DrawPyramid(Int16 content, const WorldRecord& record, const CensusRecord& census) {
  if (content < kContentPopulation || content > kContentDeaths) throw Failure{kInvalidCall};
  setWindowTitle(Caption(content));
  const PyramidGeometry geometry = Geometry();
  PaintPyramid(Picture(), geometry, content, record, census, Scale());
  const ShownYear year = ShownYearOf(m_, record, census);
  if (stableOutline_ && (content == kContentPopulation || content == kContentRelative)) {
    PaintStableOutline(content, year, geometry.AxisX(content, census));
  }
  update();
  if (listener_) listener_(year);
}

// Each class's outline lies on the pixel rows of its bar: the two level
// edges from the axis band out to the outer column, and that column. The
// side towards the axis stays open; a class whose outline would end inside
// the band has none.
void FormPyramid::PaintStableOutline(int content, const ShownYear& year, float axis) {
  const std::optional<StableAgeCounts> ages = ComputeStableAges(*year.record, year.period);
  if (!ages) return;
  const StableClassShares shares = ClassSharesOf(*ages);
  const double total = year.census->Total.ToDouble();
  const PyramidGeometry geometry = Geometry();
  const int axisPixel = Edge(axis);
  const int bandHalf = kPyramidAxisPenWidth / 2;
  Canvas& canvas = Picture();
  for (int ageClass = 0; ageClass < kAgeClasses; ++ageClass) {
    const int top = Edge(geometry.RowTop(ageClass));
    const int bottom = Edge(geometry.RowBottom(ageClass)) - 1;
    if (bottom < top) continue;
    for (int sex = 0; sex < kSexes; ++sex) {
      HeadCount value;
      HeadCount full = m_.FullScale;
      if (content == kContentRelative) {
        value = PinnedValue(shares.ofSex[sex][ageClass] * 100.0);
        full = HeadCount::FromPersons(10);
      } else {
        value = PinnedValue(shares.share[sex][ageClass] * total);
      }
      if (value > full) value = full;
      const int outerEdge = Edge(geometry.BarOuterX(sex, content, axis, value, full));
      // The outermost pixel column of a bar of that value.
      const int outer = sex == 0 ? outerEdge : outerEdge - 1;
      const int inner = sex == 0 ? axisPixel - bandHalf - 1 : axisPixel + bandHalf + 1;
      if (sex == 0 ? outer > inner : outer < inner) continue;
      const auto left = static_cast<float>(std::min(inner, outer));
      const auto right = static_cast<float>(std::max(inner, outer) + 1);
      const auto x = static_cast<float>(outer);
      canvas.FillRect(left, static_cast<float>(top), right, static_cast<float>(top + 1), kOutlineColour);
      canvas.FillRect(left, static_cast<float>(bottom), right, static_cast<float>(bottom + 1), kOutlineColour);
      canvas.FillRect(x, static_cast<float>(top), x + 1.0f, static_cast<float>(bottom + 1), kOutlineColour);
    }
  }
}

void FormPyramid::DrawPyramidRow(Int16 ageClass, Int16 sex, Int16 content, const WorldRecord& record,
                                 const CensusRecord& census, HeadCount& scale, float baseX) {
  if (stableOutline_ && (content == kContentPopulation || content == kContentRelative)) {
    // An edited class changes the total that every outline is scaled to.
    scale = content == kContentRelative ? HeadCount::FromPersons(10) : m_.FullScale;
    DrawPyramid(content, record, census);
    return;
  }
  scale = PaintPyramidRow(Picture(), Geometry(), ageClass, sex, content, record, census, Scale(), baseX);
  update();
  if (listener_) {
    // A drag edits the live state; its rates are the table being edited.
    ShownYear year = ShownYearOf(m_, record, census);
    year.edited = true;
    if (content == kContentBirths || content == kContentDeaths) year.period = m_.RateSelector * (kPeriods - 1);
    listener_(year);
  }
}

// The bars measure the full scale of the menus and show the table that edits
// go to.
PyramidScale FormPyramid::Scale() const { return {m_.FullScale, EditedPeriod(m_)}; }

void FormPyramid::SetInfo(const QString& text) { LabelInfo()->setText(text); }

void FormPyramid::RedrawEditedRow(int ageClass) {
  const PyramidGeometry geometry = Geometry();
  const auto bottom = static_cast<float>(geometry.RowBottom(ageClass));
  const auto top = static_cast<float>(geometry.RowTop(ageClass));
  Picture().FillRect(m_.BarBaseX, bottom, m_.BarFullX, top, kBlack);
  HeadCount scale = m_.FullScale;
  DrawPyramidRow(Int16(ageClass), m_.EditSex, m_.PyramidContent, m_.World, m_.Census, scale, m_.BarBaseX);
}

void FormPyramid::RedrawIfStopped() {
  if (!frame_.WorldClockRunning()) DrawPyramid(m_.PyramidContent, m_.World, m_.Census);
}

void FormPyramid::MenuAbs_Click() {
  // The relative view appears with the next redraw; the old picture stays.
  m_.PyramidContent = kContentRelative;
  menus_.MenuAbs->setChecked(true);
  PyramidMenus::CheckOnly(menus_.MenuMode, -1);
  PyramidMenus::CheckOnly(menus_.MenuPeople, -1);
}

void FormPyramid::MenuPeople_Click(int index) {
  m_.InputMode = 2;
  m_.SingleYearInput = 1 - index;
  PyramidMenus::CheckOnly(menus_.MenuMode, -1);
  menus_.MenuAbs->setChecked(false);
  PyramidMenus::CheckOnly(menus_.MenuPeople, index);
  m_.PyramidContent = kContentPopulation;
  RedrawIfStopped();
}

void FormPyramid::MenuMode_Click(int index) {
  m_.InputMode = index;
  PyramidMenus::CheckOnly(menus_.MenuPeople, -1);
  menus_.MenuAbs->setChecked(false);
  PyramidMenus::CheckOnly(menus_.MenuMode, index);
  if (index == 0) {
    m_.PyramidContent = kContentBirths;
    MenuBaseScale_Click(0);
    MenuScale_Click(1);
  } else {
    m_.PyramidContent = kContentDeaths;
    MenuBaseScale_Click(0);
    MenuScale_Click(3);
  }
  RedrawIfStopped();
  // The function menu shows the function of the rate now being edited.
  MenuMoveFunc_Click(m_.World.VariationFunc(index));
}

void FormPyramid::MenuBaseScale_Click(int index) {
  static constexpr std::array<int, 3> kBases = {10, 25, 50};
  if (index >= 0 && index < static_cast<int>(kBases.size())) m_.BaseScale = HeadCount::FromPersons(kBases[index]);
  PyramidMenus::CheckOnly(menus_.MenuBaseScale, index);
  MenuScale_Click(menus_.CheckedScale());
}

void FormPyramid::MenuScale_Click(int index) {
  m_.FullScale = HeadCount::FromDouble(m_.BaseScale.ToDouble() * std::pow(10.0, index + 1));
  PyramidMenus::CheckOnly(menus_.MenuScale, index);
  RedrawIfStopped();
}

void FormPyramid::MenuBefAft_Click(int index) {
  m_.RateSelector = index;
  PyramidMenus::CheckOnly(menus_.MenuBefAft, index);
  // The rate bars show the table that edits go to; without this a drag would
  // mix rows of both tables in one picture.
  if (m_.PyramidContent == kContentBirths || m_.PyramidContent == kContentDeaths) RedrawIfStopped();
}

void FormPyramid::MenuMoveFunc_Click(int index) {
  if (m_.InputMode == 2) {
    m_.World.VariationFunc(0) = index;
    m_.World.VariationFunc(1) = index;
  } else {
    m_.World.VariationFunc(m_.InputMode) = index;
  }
  PyramidMenus::CheckOnly(menus_.MenuMoveFunc, index);
}

void FormPyramid::Form_MouseDown(int button, int shift, float x, float y) { editor_.MouseDown(button, shift, x, y); }
void FormPyramid::Form_MouseMove(int button, int shift, float x, float y) { editor_.MouseMove(button, shift, x, y); }
void FormPyramid::Form_MouseUp(int button, int shift, float x, float y) { editor_.MouseUp(button, shift, x, y); }

void FormPyramid::Form_Load() {
  setWindowTitle(QString::fromUtf8(pyramid_text::kTitleInitial));
  LoadInformationLine();
}

void FormPyramid::Form_Resize() {
  ResizePicture();
  m_.ViewSize[2] = Int16::Round(width());
  m_.ViewSize[3] = Int16::Round(height() - PyramidGeometry::kLabelBand);
  // Always, also during a run: the picture was just cleared.
  DrawPyramid(m_.PyramidContent, m_.World, m_.Census);
}

void FormPyramid::Form_Unload() { frame_.SetWindowMenuCheck(kWindowPyramid, false); }

void FormPyramid::resizeEvent(QResizeEvent*) { Form_Resize(); }
void FormPyramid::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}
void FormPyramid::mousePressEvent(QMouseEvent* event) {
  Form_MouseDown(MouseButtonCode(event->button()), ShiftCode(event->modifiers()), event->position().x(),
                 event->position().y());
}
void FormPyramid::mouseMoveEvent(QMouseEvent* event) {
  Form_MouseMove(MouseButtonCode(event->buttons()), ShiftCode(event->modifiers()), event->position().x(),
                 event->position().y());
}
void FormPyramid::mouseReleaseEvent(QMouseEvent* event) {
  Form_MouseUp(MouseButtonCode(event->button()), ShiftCode(event->modifiers()), event->position().x(),
               event->position().y());
}

}  // namespace velmora
