#include "views/FormIndicators.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QShowEvent>

#include "analysis/Indicators.h"
#include "analysis/YearFigures.h"
#include "model/Census.h"
#include "platform/Platform.h"
#include "views/IndicatorTexts.h"
#include "views/ShareBars.h"

namespace velmora {
namespace {

struct Line {
  Indicator which;
  const char* name;  // nullptr: the value spans the line
};

// Section headings come before the figure named.
struct Heading {
  Indicator before;
  const char* text;
};

constexpr Line kLines[] = {
    {Indicator::kYear, "年度"},
    {Indicator::kSource, "データ"},
    {Indicator::kTotal, "総人口"},
    {Indicator::kChildren, "年少（0～15歳）"},
    {Indicator::kAdults, "生産（16～64歳）"},
    {Indicator::kElders, "老年（65～99歳）"},
    {Indicator::kMedianAge, "中位年齢"},
    {Indicator::kOldAgeDependency, "老年従属人口指数"},
    {Indicator::kTotalDependency, "従属人口指数"},
    {Indicator::kFertility, "合計特殊出生率"},
    {Indicator::kNetReproduction, "純再生産率"},
    {Indicator::kLifeExpectancyMen, "平均寿命（男）"},
    {Indicator::kLifeExpectancyWomen, "平均寿命（女）"},
    {Indicator::kGrowthRate, "人口増加率 r"},
    {Indicator::kStableChildren, "年少（安定人口）"},
    {Indicator::kStableAdults, "生産（安定人口）"},
    {Indicator::kStableElders, "老年（安定人口）"},
    {Indicator::kOutlook, nullptr},
};

constexpr Heading kHeadings[] = {
    {Indicator::kTotal, "人口"},
    {Indicator::kFertility, "この年の率"},
    {Indicator::kStableChildren, "この率が続くと"},
};

void Set(QLabel* label, const FigureText& figure) {
  label->setText(QString::fromStdString(figure.text));
  label->setToolTip(QString::fromStdString(figure.why));
}

}  // namespace

FormIndicators::FormIndicators(const ModulePopulation& model, QWidget* parent) : QWidget(parent), m_(model) {
  setWindowTitle(QString::fromUtf8("指標"));
  setFont(platform::DesignFont("ＭＳ Ｐゴシック", 10, false));
  auto* grid = new QGridLayout(this);
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(2);
  int row = 0;
  const QFont headingFont = platform::DesignFont("ＭＳ Ｐゴシック", 10, true);
  for (const Line& line : kLines) {
    for (const Heading& heading : kHeadings) {
      if (heading.before != line.which) continue;
      auto* label = new QLabel(QString::fromUtf8(heading.text), this);
      label->setFont(headingFont);
      grid->addWidget(label, row++, 0, 1, 2);
    }
    auto* value = new QLabel(this);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    figures_[static_cast<std::size_t>(line.which)] = value;
    if (line.name == nullptr) {
      value->setWordWrap(true);
      grid->addWidget(value, row++, 0, 1, 3);
      continue;
    }
    grid->addWidget(new QLabel(QString::fromUtf8(line.name), this), row, 0);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(value, row++, 1);
  }
  // Fixed at their sizes, the figures do not ask the window for a new
  // layout at every new text: the run rewrites them every year.
  const QFontMetrics metrics(font());
  const int lineHeight = metrics.height();
  for (const Line& line : kLines) {
    QLabel* value = Figure(line.which);
    if (line.which == Indicator::kSource) continue;  // changes with a load only
    if (line.name == nullptr) {
      value->setFixedSize(metrics.horizontalAdvance(QString(44, QChar(0x3042))), 2 * lineHeight + 2);
    } else {
      value->setFixedSize(metrics.horizontalAdvance(QString::fromUtf8("-1,000,000,000,000（振り返り）")), lineHeight);
    }
  }
  bars_ = new ShareBars(this);
  // The two columns stand beside the figures they picture.
  const int firstStable = 1 + static_cast<int>(Indicator::kStableChildren);
  grid->addWidget(bars_, 2, 2, firstStable + 1, 1);
  auto* caption = new QLabel(QString::fromUtf8("今　　　　安定人口"), this);
  caption->setAlignment(Qt::AlignCenter);
  grid->addWidget(caption, firstStable + 3, 2);
  grid->setColumnStretch(2, 1);
  Figure(Indicator::kSource)->setText(QString::fromUtf8("プリセット"));
}

void FormIndicators::SetSource(const QString& source) { Figure(Indicator::kSource)->setText(source); }

void FormIndicators::ShowYear(const ShownYear& year) {
  if (!isVisible()) return;
  const YearFigures figures = [&] {
    YearFigures f = FiguresOf(*year.record, *year.census, m_.StartYear, year.elapsed);
    if (year.period != PeriodOfYear(year.elapsed)) {
      // A drag on a rate table: the rates are that table's.
      f.fertilityRate = FertilityRate(Int16(year.period), *year.record);
      f.period = ComputePeriodIndicators(*year.record, year.period);
    }
    return f;
  }();
  const IndicatorTexts t = IndicatorTextsOf(figures, *year.record, year.period);
  QString when = QString::fromStdString(t.year);
  if (year.edited) {
    when += QString::fromUtf8("（編集中）");
  } else if (year.record != &m_.World) {
    when += QString::fromUtf8("（振り返り）");
  }
  Figure(Indicator::kYear)->setText(when);
  Set(Figure(Indicator::kTotal), t.total);
  Set(Figure(Indicator::kChildren), t.shares[kChildren]);
  Set(Figure(Indicator::kAdults), t.shares[kAdults]);
  Set(Figure(Indicator::kElders), t.shares[kElders]);
  Set(Figure(Indicator::kMedianAge), t.medianAge);
  Set(Figure(Indicator::kOldAgeDependency), t.oldAgeDependency);
  Set(Figure(Indicator::kTotalDependency), t.totalDependency);
  Set(Figure(Indicator::kFertility), t.fertility);
  Set(Figure(Indicator::kNetReproduction), t.netReproduction);
  Set(Figure(Indicator::kLifeExpectancyMen), t.lifeExpectancy[0]);
  Set(Figure(Indicator::kLifeExpectancyWomen), t.lifeExpectancy[1]);
  Set(Figure(Indicator::kGrowthRate), t.growthRate);
  Set(Figure(Indicator::kStableChildren), t.stableShares[kChildren]);
  Set(Figure(Indicator::kStableAdults), t.stableShares[kAdults]);
  Set(Figure(Indicator::kStableElders), t.stableShares[kElders]);
  Figure(Indicator::kOutlook)->setText(QString::fromStdString(t.outlook));

  std::optional<AgeShares> stable;
  if (const std::optional<StableAgeCounts> ages = ComputeStableAges(*year.record, year.period)) {
    double total = 0.0;
    for (const auto& sex : *ages) {
      for (double count : sex) total += count;
    }
    AgeShares shares{};
    for (int age = 0; age < kAges; ++age) shares[age] = ((*ages)[0][age] + (*ages)[1][age]) / total;
    stable = shares;
  }
  bars_->SetShares(AgeSharesOf(*year.record), stable);
}

void FormIndicators::ShowLiveYear() {
  const int elapsed = LiveElapsed(m_);
  ShowYear({&m_.World, &m_.Census, elapsed, PeriodOfYear(elapsed)});
}

void FormIndicators::Form_Unload() {
  if (closed_) closed_();
}

void FormIndicators::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  ShowLiveYear();
}

void FormIndicators::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

}  // namespace velmora
