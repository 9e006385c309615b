#include "frame/FrameDisplay.h"

#include <QString>

#include "frame/ChildWindows.h"
#include "platform/Platform.h"
#include "views/FormCircle.h"
#include "views/FormGraph.h"
#include "views/FormPyramid.h"
#include "views/FormText.h"

namespace velmora {

void FrameDisplay::ShowMessage(const std::string& text, const std::string& title) {
  platform::Current().ShowMessage(text, title, platform::Buttons::Ok, platform::Icon::Exclamation);
}

void FrameDisplay::SetControllerLabel(int index, const std::string& caption) {
  windows_.Text().SetLabelD(index, QString::fromStdString(caption));
}

void FrameDisplay::SetGraphPenWidth(int width) { windows_.Graph().SetPenWidth(width); }

void FrameDisplay::DrawGraphColumn(Int16 column, const WorldRecord& world, HeadCount fullScale) {
  windows_.Graph().DrawGraphColumn(column, world, fullScale);
}

void FrameDisplay::ClearGraph() { windows_.Graph().Clear(); }

void FrameDisplay::ClearPyramid() { windows_.Pyramid().Clear(); }

void FrameDisplay::DrawPyramid(Int16 content, const WorldRecord& record, const CensusRecord& census) {
  windows_.Pyramid().DrawPyramid(content, record, census);
}

void FrameDisplay::DrawAgeCircle(const CensusRecord& census, const WorldRecord& world) {
  windows_.Circle().DrawAgeCircle(census, world);
}

void FrameDisplay::ClearCircle() { windows_.Circle().Clear(); }

}  // namespace velmora
