#pragma once

#include <string>
#include <vector>

namespace velmora::cli {

inline constexpr const char* kPictureHeap[] = {"glibc.malloc.hugetlb=1", "glibc.malloc.top_pad=33554432"};

// A child's environment: environment (null-terminated, or null) in its order,
// with the C library's allocator set up for a program that makes a few
// pictures of megabytes each, once (GLIBC_TUNABLES gets kPictureHeap): large
// blocks backed by huge pages where the system grants them on request, and
// the heap grown 32 MiB at a time. For the chart program, where the first
// touch of every small page of its pictures cost more than drawing them. A
// setting of the caller's own is kept as it is, other tunables are kept and
// extended; other C libraries ignore the variable.
std::vector<std::string> WithPictureHeap(char** environment);

}  // namespace velmora::cli
