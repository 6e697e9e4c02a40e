#pragma once

#include <cstddef>
#include <vector>

namespace htmlview {

// Consecutive objects read in place: a vector's, or a packed block's.
template <typename T>
class TSpan {
 public:
  TSpan() = default;
  TSpan(const T* first, std::size_t count) : first_(first), count_(count) {}
  TSpan(const std::vector<T>& items) : first_(items.data()), count_(items.size()) {}

  const T* begin() const { return first_; }
  const T* end() const { return first_ + count_; }
  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  const T& operator[](std::size_t n) const { return first_[n]; }
  const T& front() const { return first_[0]; }
  const T& back() const { return first_[count_ - 1]; }

 private:
  const T* first_ = nullptr;
  std::size_t count_ = 0;
};

}  // namespace htmlview
