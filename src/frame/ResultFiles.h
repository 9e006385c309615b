#pragma once

#include <QByteArray>
#include <QString>
#include <string>

#include "model/ModulePopulation.h"
#include "views/FigureComposer.h"

namespace velmora {

// Saving what the program shows into files the user chooses: each file is
// written whole or not at all (a temporary file beside it, renamed when
// complete). A path that cannot take the file (a folder, a FIFO or other
// special file, a link, a missing or unwritable folder) is refused before
// anything is written, with one message box under title; a failure while
// writing shows one box too. Success sounds the beep, as every file
// operation of the program does.

// Why path cannot take a saved file, in Japanese; empty when it can.
std::string SaveRefusal(const QString& path);

// bytes as the file at path. Gives whether it was saved.
bool SaveWhole(const QString& path, const QByteArray& bytes, const std::string& title);

// The labelled figure as PNG at pngPath (twice the screen's density) and as
// SVG beside it (SvgPathBeside): both, or neither when either path is
// refused or a picture cannot be made.
bool SaveFigureFiles(const ModulePopulation& m, const FigureRequest& request, const QString& pngPath);
// The SVG's path beside a PNG's: its ".png" replaced, or ".svg" added.
QString SvgPathBeside(const QString& pngPath);

class ChildWindows;

// The run so far as velmora-cli run writes it (the same writer, the same
// figures): years 0..ElapsedYears from WorldHistory, each with its census;
// year 0 alone, as the screen shows it, while no run is under way (before
// the first and after Reset). A year whose census leaves the range ends the
// table, as it ends a run.
std::string RunCsvOfModel(const ModulePopulation& m);

// "結果をCSVで保存(&C)...": RunCsvOfModel to a path asked for with the
// standard dialog.
void SaveRunCsvOfModel(const ModulePopulation& m);

// "図を保存(&P)...": the figure of the year on screen (the year looked back at
// while the graph's marker shows, otherwise the live year) at the windows'
// sizes, to a path asked for with the standard dialog.
void SaveFigureOfWindows(const ModulePopulation& m, const ChildWindows& windows);

// File names that say what a saved file holds: the data's origin when known
// (its characters that cannot stand in a file name replaced), then the years.
std::string FigureFileName(const std::string& subject, int year);
std::string CsvFileName(const std::string& subject, int firstYear, int lastYear);

}  // namespace velmora
