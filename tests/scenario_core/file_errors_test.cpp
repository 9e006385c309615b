#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "TempFolder.h"
#include "model/Failure.h"
#include "scenario/core/FileErrors.h"
#include "scenario/core/ScenarioFile.h"
#include "scenario/core/ScenarioPaths.h"

namespace velmora {
namespace {

TEST(FileErrors, EveryErrnoMapsOntoItsCode) {
  EXPECT_EQ(FailureCodeForError(ENOENT, false), 53);
  EXPECT_EQ(FailureCodeForError(ENOENT, true), 76);
  EXPECT_EQ(FailureCodeForError(ENOTDIR, false), 76);
  EXPECT_EQ(FailureCodeForError(EACCES, false), 70);
  EXPECT_EQ(FailureCodeForError(EPERM, false), 70);
  EXPECT_EQ(FailureCodeForError(EROFS, false), 70);
  EXPECT_EQ(FailureCodeForError(ENODEV, false), 68);
  EXPECT_EQ(FailureCodeForError(ENXIO, false), 68);
  EXPECT_EQ(FailureCodeForError(ENOMEDIUM, false), 71);
  EXPECT_EQ(FailureCodeForError(EISDIR, false), 75);
  EXPECT_EQ(FailureCodeForError(ENOSPC, false), 75);
  EXPECT_EQ(FailureCodeForError(EIO, false), 75);
  EXPECT_EQ(FailureCodeForError(0, false), 75);
}

TEST(FileErrors, MissingFileOrMissingFolderOnOpen) {
  testing::TempFolder app;
  EXPECT_EQ(FailureCodeForOpen(ENOENT, PopulationFilePath(app.String(), 1)), 76);
  app.MakeData();
  EXPECT_EQ(FailureCodeForOpen(ENOENT, PopulationFilePath(app.String(), 1)), 53);
}

TEST(FileErrors, DataThatIsAFileIsPathNotFound) {
  testing::TempFolder app;
  testing::WriteBytes(app.Path() / "Data", {1, 2, 3});
  ScenarioFile file;
  int code = 0;
  try {
    file.OpenForUpdate(RateFilePath(app.String(), 2));
  } catch (const Failure& failure) {
    code = failure.code;
  }
  EXPECT_EQ(code, 76);
}

TEST(ScenarioPaths, PresetFilesInTheDataFolder) {
  EXPECT_EQ(PopulationFilePath("/opt/velmora", 0), "/opt/velmora/Data/STP0.stp");
  EXPECT_EQ(RateFilePath("/opt/velmora", 4), "/opt/velmora/Data/BRF4.brf");
  EXPECT_EQ(PopulationFilePath("/opt/velmora", 12), "/opt/velmora/Data/STP12.stp");
  // A program in the root folder: no doubled separator.
  EXPECT_EQ(RateFilePath("/", 3), "/Data/BRF3.brf");
}

}  // namespace
}  // namespace velmora
