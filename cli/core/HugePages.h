#pragma once

#include <string>
#include <vector>

namespace velmora::cli {

// A child's environment: environment (null-terminated, or null) in its order,
// with the C library's allocator asked to back large blocks by huge pages
// where the system grants them on request (GLIBC_TUNABLES gets
// glibc.malloc.hugetlb=1). For the chart program, whose pictures are tens of
// megabytes made once each: the first touch of every small page of them cost
// more than drawing them. A hugetlb setting of the caller's own is kept as it
// is, other tunables are kept and extended; other C libraries ignore the
// variable.
std::vector<std::string> WithHugePages(char** environment);

}  // namespace velmora::cli
