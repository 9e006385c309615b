// Installs the build into a temporary prefix, as a user does with
// `cmake --install build --prefix ~/.local`, and checks what lands there.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "scenario_core/TempFolder.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

struct Outcome {
  int status = -1;
  std::string output;  // stdout and stderr together
};

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Runs a shell command line in a known environment: no display, C locale.
Outcome RunCommand(const std::string& command) {
  const std::string line =
      "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u DESTDIR LC_ALL=C " + command + " 2>&1";
  Outcome outcome;
  FILE* pipe = popen(line.c_str(), "r");
  if (pipe == nullptr) return outcome;
  std::array<char, 4096> buffer;
  size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) outcome.output.append(buffer.data(), n);
  const int status = pclose(pipe);
  outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return outcome;
}

Outcome Install(const fs::path& prefix, const std::string& environment = "") {
  return RunCommand(environment + " " + Quoted(VELMORA_CMAKE) + " --install " + Quoted(VELMORA_BUILD_DIR) +
                    " --prefix " + Quoted(prefix.string()));
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Width and height from a PNG's header chunk.
std::pair<int, int> PngSize(const fs::path& path) {
  const std::vector<unsigned char> bytes = ReadBytes(path);
  if (bytes.size() < 24 || bytes[1] != 'P' || bytes[12] != 'I') return {0, 0};
  auto number = [&](size_t at) { return bytes[at] << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 | bytes[at + 3]; };
  return {number(16), number(20)};
}

std::vector<std::string> Programs() {
  if (VELMORA_INSTALLS_CLI) return {"velmora", "velmora-cli"};
  return {"velmora"};
}

// One install shared by the tests that only look; its prefix has a blank in
// it, as a home folder may.
class InstalledTree : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = std::make_unique<TempFolder>();
    installed_ = Install(Prefix());
  }
  static void TearDownTestSuite() { folder_.reset(); }
  static fs::path Prefix() { return folder_->Path() / "my prefix"; }
  static fs::path ProgramDir() { return Prefix() / "lib" / "velmora"; }

  void SetUp() override { ASSERT_EQ(installed_.status, 0) << installed_.output; }

  static inline std::unique_ptr<TempFolder> folder_;
  static inline Outcome installed_;
};

TEST_F(InstalledTree, ProgramFolderHoldsTheProgramsAndEveryPreset) {
  for (const std::string& program : Programs()) {
    const fs::path file = ProgramDir() / program;
    EXPECT_TRUE(fs::is_regular_file(file)) << file;
    EXPECT_NE(fs::status(file).permissions() & fs::perms::owner_exec, fs::perms::none) << file;
  }
  if (VELMORA_INSTALLS_CLI) {
    // velmora-cli starts it for --charts, from its own folder.
    EXPECT_TRUE(fs::is_regular_file(ProgramDir() / "velmora-cli-charts"));
  } else {
    EXPECT_FALSE(fs::exists(ProgramDir() / "velmora-cli"));
  }
  for (int n = 0; n <= 4; ++n) {
    const fs::path population = ProgramDir() / "Data" / ("STP" + std::to_string(n) + ".stp");
    const fs::path rates = ProgramDir() / "Data" / ("BRF" + std::to_string(n) + ".brf");
    ASSERT_TRUE(fs::is_regular_file(population)) << population;
    ASSERT_TRUE(fs::is_regular_file(rates)) << rates;
    EXPECT_EQ(fs::file_size(population), 1600u);
    EXPECT_EQ(fs::file_size(rates), 240u);
  }
  // The user saves presets there.
  EXPECT_NE(fs::status(ProgramDir() / "Data").permissions() & fs::perms::owner_write, fs::perms::none);
}

TEST_F(InstalledTree, BinHoldsRelativeLinksThatStartTheInstalledPrograms) {
  for (const std::string& program : Programs()) {
    const fs::path link = Prefix() / "bin" / program;
    ASSERT_TRUE(fs::is_symlink(link)) << link;
    EXPECT_EQ(fs::read_symlink(link), fs::path("../lib/velmora") / program);
    EXPECT_TRUE(fs::equivalent(link, ProgramDir() / program));
  }
  // Started through the link without a display, the desktop program answers
  // with its one-line message, naming the path it was started by.
  const Outcome started = RunCommand(Quoted((Prefix() / "bin" / "velmora").string()));
  EXPECT_EQ(started.status, 1);
  EXPECT_NE(started.output.find("velmora: no display found"), std::string::npos) << started.output;
  if (VELMORA_INSTALLS_CLI) {
    const Outcome version = RunCommand(Quoted((Prefix() / "bin" / "velmora-cli").string()) + " --version");
    EXPECT_EQ(version.status, 0) << version.output;
  }
}

TEST_F(InstalledTree, UnTablesSitBesideTheProgramsExactlyWhenTheSourceTreeHasThem) {
  const fs::path source = fs::path(VELMORA_SOURCE_DIR) / "data" / "wpp2019";
  const fs::path installed = ProgramDir() / "wpp2019";
  if (!fs::exists(source)) {
    EXPECT_FALSE(fs::exists(installed));
    return;
  }
  int files = 0;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(source)) {
    if (!entry.is_regular_file()) continue;
    const fs::path copy = installed / fs::relative(entry.path(), source);
    ASSERT_TRUE(fs::is_regular_file(copy)) << copy;
    EXPECT_EQ(fs::file_size(copy), entry.file_size()) << copy;
    ++files;
  }
  EXPECT_GT(files, 0);
}

TEST_F(InstalledTree, MenuEntryValidatesAndStartsTheProgramByItsFullPath) {
  const fs::path entry = Prefix() / "share" / "applications" / "velmora.desktop";
  ASSERT_TRUE(fs::is_regular_file(entry));
  const Outcome validated = RunCommand("desktop-file-validate " + Quoted(entry.string()));
  EXPECT_EQ(validated.status, 0) << validated.output;
  // No errors, no warnings and no hints: a second main category would list
  // the program twice in some menus.
  EXPECT_EQ(validated.output, "");

  const std::string text = ReadText(entry);
  const std::string program = (Prefix() / "bin" / "velmora").string();
  EXPECT_NE(text.find("\nExec=\"" + program + "\"\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nTryExec=" + program + "\n"), std::string::npos) << text;
  for (const char* key : {"\nName=", "\nName[ja]=", "\nComment=", "\nComment[ja]=", "\nIcon=velmora\n",
                          "\nCategories=Education;DataVisualization;\n"}) {
    EXPECT_NE(text.find(key), std::string::npos) << key;
  }
}

TEST_F(InstalledTree, IconIsInTheThemeAtEverySize) {
  const fs::path theme = Prefix() / "share" / "icons" / "hicolor";
  const std::string svg = ReadText(theme / "scalable" / "apps" / "velmora.svg");
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  for (int size : {16, 32, 48, 64, 128, 256}) {
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    EXPECT_EQ(PngSize(theme / folder / "apps" / "velmora.png"), std::make_pair(size, size)) << folder;
  }
}

TEST_F(InstalledTree, ManualPagesOfBothProgramsAreInSection1) {
  const fs::path man1 = Prefix() / "share" / "man" / "man1";
  EXPECT_NE(ReadText(man1 / "velmora.1").find(".TH VELMORA 1"), std::string::npos);
  if (!VELMORA_INSTALLS_CLI) return;
  // Made from the program's help: every command is there with its options.
  const std::string cli = ReadText(man1 / "velmora-cli.1");
  EXPECT_NE(cli.find(".TH VELMORA-CLI \"1\""), std::string::npos) << cli.substr(0, 400);
  for (const char* text : {".SS \"velmora-cli run\"", ".SS \"velmora-cli info\"", ".SS \"velmora-cli import\"",
                           ".SS \"velmora-cli export\"", ".SS \"velmora-cli wpp preset\"", "\\-\\-start\\-rates",
                           "\\-\\-population\\-out"}) {
    EXPECT_NE(cli.find(text), std::string::npos) << text;
  }
}

TEST(InstallProgramFolder, ProgramStartedThroughALinkSeesTheFolderOfTheLinkedFile) {
  // bin/probe -> ../lib/velmora/probe, as the installed links are made.
  TempFolder prefix;
  const fs::path programs = prefix.Path() / "lib" / "velmora";
  fs::create_directories(programs);
  fs::create_directories(prefix.Path() / "bin");
  fs::copy_file(VELMORA_PROGRAM_FOLDER_PROBE, programs / "probe");
  fs::create_symlink("../lib/velmora/probe", prefix.Path() / "bin" / "probe");

  const Outcome probe = RunCommand(Quoted((prefix.Path() / "bin" / "probe").string()));
  ASSERT_EQ(probe.status, 0) << probe.output;
  EXPECT_EQ(probe.output, fs::canonical(programs).string() + "\n");
}

TEST(InstallAgain, KeepsThePresetsTheUserSavedAndRestoresMissingOnes) {
  TempFolder folder;
  const fs::path prefix = folder.Path() / "prefix";
  ASSERT_EQ(Install(prefix).status, 0);
  const fs::path data = prefix / "lib" / "velmora" / "Data";
  const std::vector<unsigned char> shipped = ReadBytes(data / "BRF3.brf");
  // The user saves over the developed-type population and deletes a rate file.
  std::vector<unsigned char> saved(1600, 0);
  saved[8] = 0x10;
  WriteBytes(data / "STP2.stp", saved);
  fs::remove(data / "BRF3.brf");

  const Outcome again = Install(prefix);
  ASSERT_EQ(again.status, 0) << again.output;
  EXPECT_EQ(ReadBytes(data / "STP2.stp"), saved);
  EXPECT_EQ(ReadBytes(data / "BRF3.brf"), shipped);
  EXPECT_TRUE(fs::is_symlink(prefix / "bin" / "velmora"));
}

// Every regular file and link under the folder, relative to it.
std::vector<std::string> FilesUnder(const fs::path& folder) {
  std::vector<std::string> files;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_symlink() || entry.is_regular_file()) files.push_back(fs::relative(entry.path(), folder).string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(Uninstall, RemovesWhatTheInstallsPutThereAndNothingOfTheUsers) {
  struct Case {
    const char* options;
    bool keepsSavedPresets;
  };
  for (const Case& c : {Case{"", true}, Case{"--presets", false}}) {
    SCOPED_TRACE(c.options);
    TempFolder folder;
    const fs::path prefix = folder.Path() / "my prefix";
    ASSERT_EQ(Install(prefix).status, 0);
    const fs::path data = prefix / "lib" / "velmora" / "Data";
    // The user saves over a preset and saves a new one; installing again
    // then copies no preset, so install_manifest.txt names none.
    WriteBytes(data / "STP2.stp", std::vector<unsigned char>(1600, 7));
    WriteBytes(data / "BRF9.brf", std::vector<unsigned char>(240, 7));
    ASSERT_EQ(Install(prefix).status, 0);
    // Files of other programs in the shared folders.
    WriteBytes(prefix / "bin" / "other-tool", {'x'});
    WriteBytes(prefix / "share" / "applications" / "other.desktop", {'x'});

    const Outcome removed =
        RunCommand(Quoted((prefix / "lib" / "velmora" / "uninstall.sh").string()) + " " + c.options);
    ASSERT_EQ(removed.status, 0) << removed.output;
    std::vector<std::string> left = {"bin/other-tool", "share/applications/other.desktop"};
    if (c.keepsSavedPresets) {
      left.insert(left.begin() + 1, {"lib/velmora/Data/BRF9.brf", "lib/velmora/Data/STP2.stp"});
    }
    EXPECT_EQ(FilesUnder(prefix), left) << removed.output;
    EXPECT_EQ(fs::exists(prefix / "lib" / "velmora"), c.keepsSavedPresets);
  }
}

TEST(Uninstall, FindsItsPrefixInAStagedTree) {
  TempFolder folder;
  const fs::path stage = folder.Path() / "stage";
  ASSERT_EQ(Install("/opt/velmora-test", "DESTDIR=" + Quoted(stage.string())).status, 0);
  const Outcome removed = RunCommand(Quoted((stage / "opt/velmora-test/lib/velmora/uninstall.sh").string()));
  ASSERT_EQ(removed.status, 0) << removed.output;
  EXPECT_EQ(FilesUnder(stage), std::vector<std::string>{});
}

TEST(InstallStaged, DestdirHoldsTheTreeWhileTheEntryNamesTheFinalPrefix) {
  TempFolder folder;
  const fs::path stage = folder.Path() / "stage";
  const Outcome staged = Install("/opt/velmora-test", "DESTDIR=" + Quoted(stage.string()));
  ASSERT_EQ(staged.status, 0) << staged.output;
  EXPECT_FALSE(fs::exists("/opt/velmora-test"));
  EXPECT_TRUE(fs::is_regular_file(stage / "opt/velmora-test/lib/velmora/Data/STP1.stp"));
  EXPECT_EQ(fs::read_symlink(stage / "opt/velmora-test/bin/velmora"), fs::path("../lib/velmora/velmora"));
  const std::string text = ReadText(stage / "opt/velmora-test/share/applications/velmora.desktop");
  EXPECT_NE(text.find("\nExec=\"/opt/velmora-test/bin/velmora\"\n"), std::string::npos) << text;
  // The manifest names the final paths, without the stage, for every file.
  std::istringstream manifest(ReadText(fs::path(VELMORA_BUILD_DIR) / "install_manifest.txt"));
  int files = 0;
  for (std::string line; std::getline(manifest, line); ++files) {
    EXPECT_EQ(line.rfind("/opt/velmora-test/", 0), 0u) << line;
  }
  EXPECT_GT(files, 0);
}

}  // namespace
}  // namespace velmora
