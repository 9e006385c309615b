#pragma once

#include <QLabel>
#include <QWidget>
#include <array>
#include <functional>

#include "model/ModulePopulation.h"
#include "views/ShownYear.h"

class QCloseEvent;
class QShowEvent;

namespace velmora {

class ShareBars;

// The figures the indicators window shows, in the order of its lines.
enum class Indicator : int {
  kYear,
  kSource,
  kTotal,
  kChildren,
  kAdults,
  kElders,
  kMedianAge,
  kOldAgeDependency,
  kTotalDependency,
  kFertility,
  kNetReproduction,
  kLifeExpectancyMen,
  kLifeExpectancyWomen,
  kGrowthRate,
  kStableChildren,
  kStableAdults,
  kStableElders,
  kOutlook,
};
inline constexpr int kIndicatorCount = static_cast<int>(Indicator::kOutlook) + 1;

// The indicators window ("指標"): the year on screen (the live year, the year
// the graph looks back at, or the state a drag on the pyramid is editing),
// its population and rates, and where those rates lead: the stable
// population beside today's. A figure that does not exist reads "―" and its
// tooltip says why. Hidden, it does no work; shown, it reads the live year.
class FormIndicators : public QWidget {
  Q_OBJECT
 public:
  explicit FormIndicators(const ModulePopulation& model, QWidget* parent = nullptr);

  void ShowYear(const ShownYear& year);
  // Where the loaded data came from, in one line.
  void SetSource(const QString& source);
  // Called when the window is closed.
  void SetClosedHandler(std::function<void()> handler) { closed_ = std::move(handler); }

  QLabel* Figure(Indicator which) const { return figures_.at(static_cast<std::size_t>(which)); }
  const ShareBars& Bars() const { return *bars_; }

  void Form_Unload();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowLiveYear();

  const ModulePopulation& m_;
  std::array<QLabel*, kIndicatorCount> figures_{};
  ShareBars* bars_ = nullptr;
  std::function<void()> closed_;
};

}  // namespace velmora
