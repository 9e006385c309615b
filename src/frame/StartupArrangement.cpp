#include "frame/StartupArrangement.h"

namespace velmora {
namespace {

int AtLeastMinimum(int size) { return size > 0 ? size : kMinimumArrangedSize; }

}  // namespace

StartupArrangement ArrangeAtStartup(const TwipRect& settings, const TwipRect& controller, int frameWidth,
                                    int frameHeight) {
  StartupArrangement a;
  a.Controller = {settings.Left + settings.Width, settings.Top, controller.Width, controller.Height};

  a.Pyramid.Width = settings.Width;
  a.Pyramid.Height = kPyramidStartHeight;
  a.Pyramid.Top = settings.Top + settings.Height;
  a.Pyramid.Left = settings.Left;

  a.Graph.Top = a.Pyramid.Top;
  a.Graph.Left = settings.Left + settings.Width;
  a.Graph.Width = AtLeastMinimum(frameWidth - a.Graph.Left - kGraphRightMargin);
  a.Graph.Height = AtLeastMinimum(frameHeight - a.Graph.Top - kGraphBottomMargin);

  // Pyramid and circle together are as tall as the graph.
  a.Circle.Top = a.Pyramid.Top + a.Pyramid.Height;
  a.Circle.Left = a.Pyramid.Left;
  a.Circle.Height = AtLeastMinimum(a.Graph.Height - a.Pyramid.Height);
  a.Circle.Width = a.Pyramid.Width;
  return a;
}

}  // namespace velmora
