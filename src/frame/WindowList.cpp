#include "frame/WindowList.h"

#include "scenario/FormSetting.h"
#include "views/FormCircle.h"
#include "views/FormGraph.h"
#include "views/FormText.h"
#include "views/PyramidWindow.h"

namespace velmora {
namespace {

template <typename Form>
ChildForm* Make(const FormParts& p) {
  return new Form(p.model, p.display, p.frame);
}

ChildForm* MakeController(const FormParts& p) { return new FormText(p.model, p.frame); }

// The settings window's mark starts clear although it opens at start.
constexpr std::array<WindowEntry, kWindowCount> kWindows{{
    {kWindowController, "コントローラ(&M)", true, FormText::kClientWidth, FormText::kClientHeight, true, 4,
     &MakeController},
    {kWindowSettings, "設定(&S)", false, FormSetting::kClientWidth, FormSetting::kClientHeight, true, 3,
     &Make<FormSetting>},
    {kWindowGraph, "グラフ(&G)", true, 10485, 8055, false, 1, &Make<FormGraph>},
    {kWindowPyramid, "ピラミッド(&P)", true, 6000, 4500, false, 2, &Make<PyramidWindow>},
    {kWindowCircle, "サークル(&C)", true, 4680, 3195, false, 0, &Make<FormCircle>},
}};

constexpr bool InMenuOrder() {
  for (std::size_t i = 0; i < kWindows.size(); ++i) {
    if (kWindows[i].id != static_cast<int>(i)) return false;
  }
  return true;
}
static_assert(InMenuOrder(), "entry i of the window list is window i");

}  // namespace

const std::array<WindowEntry, kWindowCount>& WindowList() { return kWindows; }

}  // namespace velmora
