#pragma once

#include <array>
#include <cstddef>

#include "model/Failure.h"

namespace velmora {

// A fixed array whose every index is checked: out of bounds is
// Failure{kSubscriptOutOfRange}, never a read of other data. The elements are
// contiguous (data()) so that files can be raw images of a table.
template <typename T, std::size_t N>
class CheckedArray {
 public:
  static constexpr std::size_t kSize = N;

  T& operator[](long long index) { return items_[Checked(index)]; }
  const T& operator[](long long index) const { return items_[Checked(index)]; }
  T* data() { return items_.data(); }
  const T* data() const { return items_.data(); }
  static constexpr std::size_t size() { return N; }
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }
  void fill(const T& value) { items_.fill(value); }
  friend bool operator==(const CheckedArray&, const CheckedArray&) = default;

 private:
  static std::size_t Checked(long long index) {
    if (index < 0 || index >= static_cast<long long>(N)) throw Failure{kSubscriptOutOfRange};
    return static_cast<std::size_t>(index);
  }
  std::array<T, N> items_{};
};

}  // namespace velmora
