// The chart program's environment: the caller's, with the allocator's
// settings for pictures added once each, without losing or overriding
// anything the caller set.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/core/PictureHeap.h"

namespace velmora::cli {
namespace {

constexpr const char* kBoth = "GLIBC_TUNABLES=glibc.malloc.hugetlb=1:glibc.malloc.top_pad=33554432";

struct EnvironmentCase {
  const char* name;
  std::vector<std::string> given;
  std::vector<std::string> expected;
};

void PrintTo(const EnvironmentCase& c, std::ostream* os) { *os << c.name; }

class PictureHeapTest : public ::testing::TestWithParam<EnvironmentCase> {};

TEST_P(PictureHeapTest, KeepsTheCallersSettings) {
  std::vector<std::string> given = GetParam().given;
  std::vector<char*> environment;
  for (std::string& entry : given) environment.push_back(entry.data());
  environment.push_back(nullptr);
  EXPECT_EQ(WithPictureHeap(environment.data()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, PictureHeapTest,
    ::testing::Values(
        EnvironmentCase{"Empty", {}, {kBoth}},
        EnvironmentCase{"AddedAfterTheRest", {"HOME=/root", "LANG=C"}, {"HOME=/root", "LANG=C", kBoth}},
        EnvironmentCase{
            "OtherTunablesExtended",
            {"GLIBC_TUNABLES=glibc.malloc.check=3", "PATH=/bin"},
            {"GLIBC_TUNABLES=glibc.malloc.check=3:glibc.malloc.hugetlb=1:glibc.malloc.top_pad=33554432", "PATH=/bin"}},
        EnvironmentCase{"EmptyTunablesFilled", {"GLIBC_TUNABLES="}, {kBoth}},
        EnvironmentCase{"CallersHugePagesKept",
                        {"GLIBC_TUNABLES=glibc.malloc.hugetlb=0:glibc.malloc.check=1"},
                        {"GLIBC_TUNABLES=glibc.malloc.hugetlb=0:glibc.malloc.check=1:glibc.malloc.top_pad=33554432"}},
        EnvironmentCase{"CallersBothKept",
                        {"GLIBC_TUNABLES=glibc.malloc.top_pad=1:glibc.malloc.hugetlb=2"},
                        {"GLIBC_TUNABLES=glibc.malloc.top_pad=1:glibc.malloc.hugetlb=2"}},
        // A setting is named at the start of an item, up to its '='.
        EnvironmentCase{"LongerOrInnerNamesAreOtherSettings",
                        {"GLIBC_TUNABLES=glibc.malloc.hugetlbx=0:x.glibc.malloc.top_pad=0"},
                        {"GLIBC_TUNABLES=glibc.malloc.hugetlbx=0:x.glibc.malloc.top_pad=0:glibc.malloc.hugetlb=1:"
                         "glibc.malloc.top_pad=33554432"}},
        // Only the first of two settings counts; the second stays as it was.
        EnvironmentCase{"OnlyTheFirstSettingExtended",
                        {"GLIBC_TUNABLES=a=1", "GLIBC_TUNABLES=b=2"},
                        {"GLIBC_TUNABLES=a=1:glibc.malloc.hugetlb=1:glibc.malloc.top_pad=33554432", "GLIBC_TUNABLES=b=2"}},
        // A name that merely starts alike is another variable.
        EnvironmentCase{"SimilarNameIsNotTheTunables",
                        {"GLIBC_TUNABLESX=1", "XGLIBC_TUNABLES=2"},
                        {"GLIBC_TUNABLESX=1", "XGLIBC_TUNABLES=2", kBoth}}),
    [](const ::testing::TestParamInfo<EnvironmentCase>& info) { return std::string(info.param.name); });

TEST(PictureHeap, NoEnvironmentAtAll) { EXPECT_EQ(WithPictureHeap(nullptr), std::vector<std::string>{kBoth}); }

}  // namespace
}  // namespace velmora::cli
