#include "frame/ResultFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <memory>

#include "analysis/YearFigures.h"
#include "frame/ChildWindows.h"
#include "model/Census.h"
#include "model/QuietDisplay.h"
#include "platform/Platform.h"
#include "report/RunReport.h"
#include "views/FormCircle.h"
#include "views/FormGraph.h"
#include "views/FormPyramid.h"

namespace velmora {
namespace {

constexpr const char* kFigureTitle = "図を保存";
constexpr const char* kCsvTitle = "結果をCSVで保存";

// A path in a message: control characters would break the box's lines.
std::string Shown(const QString& path) {
  std::string text = path.toStdString();
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
  }
  return text;
}

void Refuse(const std::string& title, const std::string& reason, const QString& path) {
  platform::Current().ShowMessage(reason + "\r" + Shown(path), title, platform::Buttons::Ok,
                                  platform::Icon::Exclamation);
}

// A file written completely under a temporary name, not yet in place.
bool WriteUncommitted(QSaveFile& file, const QByteArray& bytes) {
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

std::string FileNameSafe(const std::string& text) {
  std::string safe;
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    safe += u < 0x20 || c == 0x7f || c == '/' || c == '\\' || c == ':' || c == ' ' ? '-' : c;
  }
  return safe;
}

}  // namespace

std::string SaveRefusal(const QString& path) {
  if (path.isEmpty()) return "保存先が空です。";
  const QFileInfo file(path);
  const QFileInfo folder(file.absolutePath());
  if (!folder.exists() || !folder.isDir()) return "保存先のフォルダがありません。";
  if (file.isSymLink()) return "リンクには保存できません。";
  if (file.exists() && !file.isFile()) return "同じ名前のフォルダか特殊なファイルがあります。";
  if (!folder.isWritable()) return "保存先のフォルダに書き込めません。";
  return {};
}

bool SaveWhole(const QString& path, const QByteArray& bytes, const std::string& title) {
  if (const std::string refusal = SaveRefusal(path); !refusal.empty()) {
    Refuse(title, refusal, path);
    return false;
  }
  QSaveFile file(path);
  if (!WriteUncommitted(file, bytes) || !file.commit()) {
    Refuse(title, "書き込めませんでした。", path);
    return false;
  }
  platform::Current().Beep();
  return true;
}

QString SvgPathBeside(const QString& pngPath) {
  if (pngPath.endsWith(".png", Qt::CaseInsensitive)) return pngPath.left(pngPath.size() - 4) + ".svg";
  return pngPath + ".svg";
}

bool SaveFigureFiles(const ModulePopulation& m, const FigureRequest& request, const QString& pngPath) {
  const QString svgPath = SvgPathBeside(pngPath);
  for (const QString& path : {pngPath, svgPath}) {
    if (const std::string refusal = SaveRefusal(path); !refusal.empty()) {
      Refuse(kFigureTitle, refusal, path);
      return false;
    }
  }
  const FigureComposer composer(m, request);
  const QByteArray png = composer.Png(2);
  const QByteArray svg = composer.Svg();
  QSaveFile pngFile(pngPath);
  QSaveFile svgFile(svgPath);
  // Both written aside first; only then put in place, one after the other.
  if (png.isEmpty() || svg.isEmpty() || !WriteUncommitted(pngFile, png) || !WriteUncommitted(svgFile, svg) ||
      !pngFile.commit() || !svgFile.commit()) {
    Refuse(kFigureTitle, "書き込めませんでした。", pngPath);
    return false;
  }
  platform::Current().Beep();
  return true;
}

std::string RunCsvOfModel(const ModulePopulation& m) {
  RunOutcome outcome;
  if (m.RunState == kIdle) {
    outcome.years.push_back(FiguresOf(m.World, m.Census, m.StartYear, 0));
    return RunCsv(outcome);
  }
  // Each past year's census is taken again on a scratch model: the live
  // model's census, explosion flag and messages stay as they are.
  auto scratch = std::make_unique<ModulePopulation>();
  QuietDisplay quiet;
  for (int elapsed = 0; elapsed <= m.ElapsedYears; ++elapsed) {
    const WorldRecord& record = m.WorldHistory[elapsed];
    CensusRecord census;
    TakeCensus(census, record, *scratch, quiet);
    if (scratch->Exploded != 0) break;
    outcome.years.push_back(FiguresOf(record, census, m.StartYear, elapsed));
  }
  return RunCsv(outcome);
}

void SaveRunCsvOfModel(const ModulePopulation& m) {
  const int last = m.RunState == kIdle ? 0 : int{m.ElapsedYears};
  const std::string suggested = QDir::homePath().toStdString() + "/" + CsvFileName("", m.StartYear, m.StartYear + last);
  const std::string path = platform::Current().AskSavePath(kCsvTitle, suggested, "CSV (*.csv)");
  if (path.empty()) return;  // cancelled: nothing written
  const std::string csv = RunCsvOfModel(m);
  SaveWhole(QString::fromStdString(path), QByteArray(csv.data(), static_cast<qsizetype>(csv.size())), kCsvTitle);
}

void SaveFigureOfWindows(const ModulePopulation& m, const ChildWindows& windows) {
  const FormGraph& graph = windows.Graph();
  const FigureYear year = graph.ShapeG()->isHidden() ? LiveYear(m) : LookedBackYear(m);
  // The program's presets and the world data are the UN's tables: the figure
  // credits them.
  const FigureRequest request{year, graph.size(), windows.Pyramid().size(), windows.Circle().size(), "", true};
  const std::string suggested =
      QDir::homePath().toStdString() + "/" + FigureFileName(request.subject, m.StartYear + year.elapsed);
  const std::string path = platform::Current().AskSavePath(kFigureTitle, suggested, "PNG + SVG (*.png)");
  if (path.empty()) return;  // cancelled: nothing written
  SaveFigureFiles(m, request, QString::fromStdString(path));
}

std::string FigureFileName(const std::string& subject, int year) {
  return (subject.empty() ? std::string("velmora") : FileNameSafe(subject)) + "-" + std::to_string(year) + ".png";
}

std::string CsvFileName(const std::string& subject, int firstYear, int lastYear) {
  return (subject.empty() ? std::string("velmora") : FileNameSafe(subject)) + "-" + std::to_string(firstYear) + "-" +
         std::to_string(lastYear) + ".csv";
}

}  // namespace velmora
