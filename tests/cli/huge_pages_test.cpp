// The chart program's environment: the caller's, with huge pages asked for
// once, without losing or overriding anything the caller set.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/core/HugePages.h"

namespace velmora::cli {
namespace {

struct EnvironmentCase {
  const char* name;
  std::vector<std::string> given;
  std::vector<std::string> expected;
};

void PrintTo(const EnvironmentCase& c, std::ostream* os) { *os << c.name; }

class HugePagesTest : public ::testing::TestWithParam<EnvironmentCase> {};

TEST_P(HugePagesTest, KeepsTheCallersSettings) {
  std::vector<std::string> given = GetParam().given;
  std::vector<char*> environment;
  for (std::string& entry : given) environment.push_back(entry.data());
  environment.push_back(nullptr);
  EXPECT_EQ(WithHugePages(environment.data()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, HugePagesTest,
    ::testing::Values(
        EnvironmentCase{"Empty", {}, {"GLIBC_TUNABLES=glibc.malloc.hugetlb=1"}},
        EnvironmentCase{"AddedAfterTheRest",
                        {"HOME=/root", "LANG=C"},
                        {"HOME=/root", "LANG=C", "GLIBC_TUNABLES=glibc.malloc.hugetlb=1"}},
        EnvironmentCase{"OtherTunablesExtended",
                        {"GLIBC_TUNABLES=glibc.malloc.check=3", "PATH=/bin"},
                        {"GLIBC_TUNABLES=glibc.malloc.check=3:glibc.malloc.hugetlb=1", "PATH=/bin"}},
        EnvironmentCase{"EmptyTunablesFilled", {"GLIBC_TUNABLES="}, {"GLIBC_TUNABLES=glibc.malloc.hugetlb=1"}},
        EnvironmentCase{"CallersHugePagesKept",
                        {"GLIBC_TUNABLES=glibc.malloc.hugetlb=0:glibc.malloc.check=1"},
                        {"GLIBC_TUNABLES=glibc.malloc.hugetlb=0:glibc.malloc.check=1"}},
        // Only the first of two settings counts; the second stays as it was.
        EnvironmentCase{"OnlyTheFirstSettingExtended",
                        {"GLIBC_TUNABLES=a=1", "GLIBC_TUNABLES=b=2"},
                        {"GLIBC_TUNABLES=a=1:glibc.malloc.hugetlb=1", "GLIBC_TUNABLES=b=2"}},
        // A name that merely starts alike is another variable.
        EnvironmentCase{"SimilarNameIsNotTheTunables",
                        {"GLIBC_TUNABLESX=1", "XGLIBC_TUNABLES=2"},
                        {"GLIBC_TUNABLESX=1", "XGLIBC_TUNABLES=2", "GLIBC_TUNABLES=glibc.malloc.hugetlb=1"}}),
    [](const ::testing::TestParamInfo<EnvironmentCase>& info) { return std::string(info.param.name); });

TEST(HugePages, NoEnvironmentAtAll) {
  EXPECT_EQ(WithHugePages(nullptr), std::vector<std::string>{"GLIBC_TUNABLES=glibc.malloc.hugetlb=1"});
}

}  // namespace
}  // namespace velmora::cli
