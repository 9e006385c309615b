// run --charts through the real programs: the five pictures as one set, the
// report only after them, and failures that leave nothing behind.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "../scenario_core/TempFolder.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::ReadText;
using testing::WriteText;

const std::vector<std::string> kPictures = {"pyramid.png", "graph.png", "circle.png", "figure.png", "figure.svg"};

std::string Population() {
  std::string text = "sex,age,population\n";
  for (const char* sex : {"male", "female"}) {
    for (int age = 0; age < 100; ++age)
      text += std::string(sex) + "," + std::to_string(age) + "," + std::to_string((100 - age) * 1000) + "\n";
  }
  return text;
}

std::string Rates() {
  std::string text = "age_class,asfr_per_1000,mx_male_per_100000,mx_female_per_100000\n";
  for (int j = 0; j < 20; ++j) text += std::to_string(j) + "," + (j >= 3 && j <= 9 ? "60" : "0") + ",300,250\n";
  return text;
}

// Everything below a folder: each path with its bytes (folders as "/").
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
  std::map<std::string, std::string> files;
  std::error_code error;
  for (auto it = fs::recursive_directory_iterator(folder, error); it != fs::recursive_directory_iterator();
       it.increment(error)) {
    const fs::path relative = fs::relative(it->path(), folder);
    if (it->is_symlink()) {
      files[relative.string()] = "-> " + fs::read_symlink(it->path()).string();
    } else if (it->is_directory()) {
      files[relative.string()] = "/";
    } else {
      files[relative.string()] = ReadText(it->path());
    }
  }
  return files;
}

class ChartsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteText(folder.Path() / "p.csv", Population());
    WriteText(folder.Path() / "r.csv", Rates());
    // Others (the unprivileged user below) may work in the folder.
    fs::permissions(folder.Path(), fs::perms::all);
  }

  // velmora-cli with these arguments in the test's folder; as the user
  // "nobody" when asked and the test runs as root (root may write anywhere).
  int Cli(const std::vector<std::string>& arguments, bool unprivileged = false) {
    const std::string err = (folder.Path() / "stderr").string();
    const pid_t child = fork();
    if (child == 0) {
      const int out = ::open("/dev/null", O_WRONLY);
      const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
      if (out < 0 || errFd < 0 || dup2(out, 1) < 0 || dup2(errFd, 2) < 0) _exit(126);
      if (unprivileged && geteuid() == 0) {
        const passwd* nobody = getpwnam("nobody");
        const uid_t uid = nobody != nullptr ? nobody->pw_uid : 65534;
        const gid_t gid = nobody != nullptr ? nobody->pw_gid : 65534;
        if (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0) _exit(126);
      }
      if (chdir(folder.String().c_str()) != 0) _exit(126);
      std::vector<std::string> all = {VELMORA_CLI};
      all.insert(all.end(), arguments.begin(), arguments.end());
      std::vector<char*> argv;
      for (std::string& argument : all) argv.push_back(argument.data());
      argv.push_back(nullptr);
      execv(VELMORA_CLI, argv.data());
      _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    error = ReadText(err);
    fs::remove(err);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::vector<std::string> Run(const std::string& charts, const std::string& output = "o.csv") {
    return {"run", "--population", "p.csv", "--start-rates", "r.csv", "--years",
            "20",  "--output",     output,  "--charts",      charts};
  }

  testing::TempFolder folder;
  std::string error;
};

TEST_F(ChartsTest, WritesTheFivePicturesThenTheReport) {
  ASSERT_EQ(Cli(Run("new/charts")), 0) << error;
  for (const std::string& name : kPictures) {
    EXPECT_TRUE(fs::is_regular_file(folder.Path() / "new/charts" / name)) << name;
  }
  EXPECT_EQ(Snapshot(folder.Path() / "new/charts").size(), kPictures.size());  // no temporary files left
  EXPECT_TRUE(fs::is_regular_file(folder.Path() / "o.csv"));
  // The canvases as the windows have them; the figure twice as dense and
  // with room around the charts.
  const QImage graph(QString::fromStdString((folder.Path() / "new/charts/graph.png").string()));
  const QImage figure(QString::fromStdString((folder.Path() / "new/charts/figure.png").string()));
  ASSERT_FALSE(graph.isNull());
  ASSERT_FALSE(figure.isNull());
  EXPECT_GT(figure.width(), 2 * graph.width());
  const std::string svg = ReadText(folder.Path() / "new/charts/figure.svg");
  EXPECT_NE(svg.find("人口 p.csv、率 r.csv"), std::string::npos);
  EXPECT_NE(svg.find("西暦2020年の人口"), std::string::npos);

  // Old pictures are replaced whole.
  WriteText(folder.Path() / "new/charts/graph.png", "old");
  ASSERT_EQ(Cli(Run("new/charts")), 0) << error;
  EXPECT_NE(ReadText(folder.Path() / "new/charts/graph.png"), "old");
}

TEST_F(ChartsTest, AFolderNameThatIsNotUtf8Works) {
  const std::string name = "charts-\xff\xfe-\x80";
  ASSERT_EQ(Cli(Run(name)), 0) << error;
  for (const std::string& picture : kPictures) {
    EXPECT_TRUE(fs::is_regular_file(folder.Path() / name / picture)) << picture;
  }
}

// Each way the pictures cannot all be written: the command exits 1, and the
// folder (with the report's place) is exactly as it was.
struct Refusal {
  const char* name;
  void (*prepare)(const fs::path& folder);
  const char* charts;
  const char* output;
  bool unprivileged;  // only an unprivileged user meets the refusal
  const char* message;
};

// Cases print by name (the structure's padding holds no value).
void PrintTo(const Refusal& c, std::ostream* os) { *os << c.name; }

void OldPictures(const fs::path& charts) {
  fs::create_directories(charts);
  for (const std::string& name : kPictures) WriteText(charts / name, "old " + name);
}

const Refusal kRefusals[] = {
    {"UnwritableFolder",
     [](const fs::path& f) {
       OldPictures(f / "ro");
       fs::permissions(f / "ro", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                     fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
     },
     "ro", "o.csv", true, "cannot write in it"},
    {"MissingFolderInAnUnwritableOne",
     [](const fs::path& f) {
       fs::create_directory(f / "ro");
       fs::permissions(f / "ro",
                       fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read | fs::perms::others_exec);
     },
     "ro/charts", "o.csv", true, "cannot be made"},
    {"PictureNameIsAFolder",
     [](const fs::path& f) {
       OldPictures(f / "charts");
       fs::remove(f / "charts/pyramid.png");
       fs::create_directory(f / "charts/pyramid.png");
     },
     "charts", "o.csv", false, "pyramid.png: exists and is not a regular file"},
    {"PictureNameIsALink",
     [](const fs::path& f) {
       OldPictures(f / "charts");
       fs::remove(f / "charts/figure.svg");
       fs::create_symlink("../p.csv", f / "charts/figure.svg");
     },
     "charts", "o.csv", false, "figure.svg: exists and is not a regular file"},
    {"FolderIsAFile", [](const fs::path& f) { WriteText(f / "charts", "a file"); }, "charts", "o.csv", false,
     "exists and is not a folder"},
    {"ReportIsAFolder",
     [](const fs::path& f) {
       OldPictures(f / "charts");
       fs::create_directory(f / "report");
     },
     "charts", "report", false, "report: exists and is not a regular file"},
    {"ReportInAMissingFolder", [](const fs::path& f) { OldPictures(f / "charts"); }, "charts", "nowhere/o.csv", false,
     "its folder does not exist"},
};

class ChartsRefusalTest : public ChartsTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(ChartsRefusalTest, LeavesNothingBehind) {
  const Refusal& r = GetParam();
  r.prepare(folder.Path());
  const auto before = Snapshot(folder.Path());
  EXPECT_EQ(Cli(Run(r.charts, r.output), r.unprivileged), 1);
  EXPECT_NE(error.find(r.message), std::string::npos) << error;
  EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), 1) << error;
  EXPECT_EQ(Snapshot(folder.Path()), before);
}

INSTANTIATE_TEST_SUITE_P(Refusals, ChartsRefusalTest, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmora
