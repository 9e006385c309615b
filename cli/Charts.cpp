#include "cli/Charts.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "cli/core/FileSet.h"
#include "cli/core/PictureHeap.h"
#include "cli/core/PresetIo.h"

extern char** environ;

namespace velmora::cli {
namespace {

namespace fs = std::filesystem;

// A private folder for the run's inputs, removed with them at the end.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::error_code ignored;
    std::string pattern = (fs::temp_directory_path(ignored) / "velmora-cli-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      throw InputError(std::string("cannot make a temporary folder for the charts: ") + std::strerror(errno));
    }
    path_ = pattern;
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  ~TemporaryFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  std::string File(const char* name) const { return (path_ / name).string(); }

 private:
  fs::path path_;
};

fs::path ChartsProgram() {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  if (error) throw InputError("cannot find " + std::string(kChartsProgram) + ": " + error.message());
  return self.parent_path() / kChartsProgram;
}

}  // namespace

static std::vector<std::string> ChartFileNames() { return {kChartFiles.begin(), kChartFiles.end()}; }

void CheckCharts(const std::string& folder) {
  CheckFileSet(folder, ChartFileNames());
  const fs::path program = ChartsProgram();
  if (::access(program.c_str(), X_OK) != 0) {
    throw InputError(program.string() + ": the chart program is missing (it belongs beside velmora-cli)");
  }
}

void DrawCharts(const std::string& folder, const HeadlessInputs& inputs, const std::string& subject) {
  CheckCharts(folder);
  const fs::path program = ChartsProgram();
  // The inputs as they were read, whatever their format: both programs then
  // run from the very same tables.
  TemporaryFolder inputsFolder;
  const std::string population = inputsFolder.File("population.stp");
  const std::string start = inputsFolder.File("start.brf");
  const std::string end = inputsFolder.File("end.brf");
  WritePopulation(population, inputs.world, false);
  WriteRates(start, inputs.world, 0, false);
  WriteRates(end, inputs.world, 19, false);

  std::vector<std::string> arguments = {program.string(),
                                        folder,
                                        population,
                                        start,
                                        end,
                                        std::to_string(int{inputs.world.VariationFunc(0)}),
                                        std::to_string(int{inputs.world.VariationFunc(1)}),
                                        std::to_string(inputs.years),
                                        subject};
  // From here on the folder may be made; a failure takes it away again.
  const std::vector<std::string> made = MakeFolder(folder);
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  std::vector<std::string> environment = WithPictureHeap(environ);
  std::vector<char*> envp;
  for (std::string& entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);
  const int spawnError = ::posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), envp.data());
  if (spawnError != 0) {
    RemoveMadeFolders(made);
    throw InputError(program.string() + ": cannot start: " + std::strerror(spawnError));
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) {
      RemoveMadeFolders(made);
      throw InputError(program.string() + ": lost: " + std::strerror(errno));
    }
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    RemoveMadeFolders(made);
    throw InputError(folder + ": the charts were not drawn (" + std::string(kChartsProgram) + " failed)");
  }
}

}  // namespace velmora::cli
