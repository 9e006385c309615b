// The CSV reader on inputs of any size: a valid table, the largest file it
// still reads through (to a bad last line), and files of 1 GB, which it
// must refuse at once whatever they hold. Memory: see the README
// (/usr/bin/time -v on velmora-cli import).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "model/Records.h"
#include "presets/CsvTable.h"
#include "presets/InputError.h"
#include "presets/PresetCsv.h"

namespace {

namespace fs = std::filesystem;

// A folder of its own for the benchmark's files, removed at the end.
class Files {
 public:
  Files() {
    std::string pattern = (fs::temp_directory_path() / "velmora-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    folder_ = pattern;
  }
  ~Files() { fs::remove_all(folder_); }
  fs::path Write(const std::string& name, const std::string& text) const {
    std::ofstream(folder_ / name, std::ios::binary) << text;
    return folder_ / name;
  }
  fs::path Path(const std::string& name) const { return folder_ / name; }

 private:
  fs::path folder_;
};

std::string Population() {
  std::string text = "sex,age,population\n";
  for (const char* sex : {"male", "female"})
    for (int age = 0; age < 100; ++age) text += std::string(sex) + "," + std::to_string(age) + ",604397\n";
  return text;
}

void Read(const fs::path& path, benchmark::State& state) {
  for (auto _ : state) {
    velmora::WorldRecord world;
    try {
      velmora::presets::ReadPopulationCsv(path.string(), world);
    } catch (const velmora::presets::InputError&) {
    }
    benchmark::DoNotOptimize(world);
  }
}

void BM_ValidPopulation(benchmark::State& state) {
  const Files files;
  Read(files.Write("p.csv", Population()), state);
}
BENCHMARK(BM_ValidPopulation);

// Just under the size cap: blank lines to the end, then a bad line.
void BM_LargestReadFile(benchmark::State& state) {
  const Files files;
  std::string text = Population();
  text += std::string(velmora::presets::kMaxCsvFileBytes - text.size() - 8, '\n') + "male,0\n";
  Read(files.Write("p.csv", text), state);
}
BENCHMARK(BM_LargestReadFile);

// 1 GB of rows (sparse: the size is what the reader sees first).
void BM_OneGigabyteFile(benchmark::State& state) {
  const Files files;
  const fs::path path = files.Write("p.csv", Population());
  fs::resize_file(path, std::uintmax_t{1} << 30);
  Read(path, state);
}
BENCHMARK(BM_OneGigabyteFile);

}  // namespace
