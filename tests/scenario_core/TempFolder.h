#pragma once

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace velmora::testing {

// A fresh folder under the system's temporary folder, removed with
// everything in it when the test ends: stands for the program's folder.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "velmora-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }

  const std::filesystem::path& Path() const { return path_; }
  std::string String() const { return path_.string(); }
  std::filesystem::path MakeData() const {
    std::filesystem::create_directory(path_ / "Data");
    return path_ / "Data";
  }

 private:
  std::filesystem::path path_;
};

// Root passes every permission check, so a permission error cannot be seen
// as root. While this lives, a test run by root acts as the unprivileged user
// "nobody" instead: the file becomes nobody's, the folders above it let others
// pass (root's group too, which the process keeps), and the effective user
// (only) becomes nobody, so that root is taken back at the end. Run by anyone
// else, it changes nothing.
class UnprivilegedOwner {
 public:
  UnprivilegedOwner(const TempFolder& folder, const std::filesystem::path& file) {
    if (geteuid() != 0) return;
    const passwd* nobody = getpwnam("nobody");
    const uid_t uid = nobody != nullptr ? nobody->pw_uid : 65534;
    const gid_t gid = nobody != nullptr ? nobody->pw_gid : 65534;
    using std::filesystem::perms;
    for (auto dir = file.parent_path(); dir.string().size() >= folder.Path().string().size(); dir = dir.parent_path()) {
      std::filesystem::permissions(dir, perms::group_read | perms::group_exec | perms::others_read | perms::others_exec,
                                   std::filesystem::perm_options::add);
    }
    if (chown(file.c_str(), uid, gid) != 0 || seteuid(uid) != 0) throw std::runtime_error("cannot act as nobody");
    dropped_ = true;
  }
  UnprivilegedOwner(const UnprivilegedOwner&) = delete;
  UnprivilegedOwner& operator=(const UnprivilegedOwner&) = delete;
  ~UnprivilegedOwner() {
    if (dropped_ && seteuid(0) != 0) std::abort();  // the rest of the suite would run as nobody
  }

 private:
  bool dropped_ = false;
};

inline std::vector<unsigned char> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<unsigned char>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

}  // namespace velmora::testing
