#include "cli/charts/ChartFiles.h"

#include <QImage>
#include <vector>

#include "cli/Charts.h"
#include "cli/core/FileSet.h"
#include "cli/core/PresetIo.h"
#include "views/FigureComposer.h"
#include "views/FormCircle.h"
#include "views/FormGraph.h"
#include "views/FormPyramid.h"
#include "views/PngEncoder.h"

namespace velmora::cli {
namespace {

QByteArray Png(const QImage& image) { return EncodePng(image); }

std::string_view View(const QByteArray& bytes) { return {bytes.constData(), static_cast<std::size_t>(bytes.size())}; }

}  // namespace

void WriteChartFiles(const std::string& folder, const ModulePopulation& m, const ChildWindows& windows,
                     const std::string& subject) {
  // The command line cannot tell where its inputs came from; like its JSON
  // report, the figure credits the UN tables that the presets are made from.
  const FigureComposer figure(
      m, {LiveYear(m), windows.Graph().size(), windows.Pyramid().size(), windows.Circle().size(), subject, true});
  const std::vector<QByteArray> pictures = {Png(windows.Pyramid().Picture().Image()),
                                            Png(windows.Graph().Picture().Image()),
                                            Png(windows.Circle().Picture().Image()), figure.Png(2), figure.Svg()};
  std::vector<FileContent> files;
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    if (pictures[i].isEmpty()) throw InputError(std::string(kChartFiles[i]) + ": the picture could not be made");
    files.push_back({kChartFiles[i], View(pictures[i])});
  }
  WriteFileSet(folder, files);
}

}  // namespace velmora::cli
