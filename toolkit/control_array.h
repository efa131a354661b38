#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace toolkit {

// A control array: elements first..last of one control kind sharing a name, each addressed by
// its number. The array owns its elements, which never move, so containers may point at them.
template <typename T>
class ControlArray {
 public:
  ControlArray(std::string name, std::int16_t first, std::int16_t last) : first_(first) {
    for (std::int16_t i = first; i <= last; ++i) {
      elements_.push_back(std::make_unique<T>(name, i));
    }
  }

  // Throws std::out_of_range for a number outside the array, which the scripted host reports
  // as a bad name; the game itself only uses numbers it knows to exist.
  T& operator[](std::int16_t i) const {
    const int offset = i - first_;
    if (offset < 0 || offset >= static_cast<int>(elements_.size())) {
      throw std::out_of_range("control array index " + std::to_string(i));
    }
    return *elements_[static_cast<std::size_t>(offset)];
  }
  std::int16_t first() const { return first_; }
  std::int16_t last() const { return static_cast<std::int16_t>(first_ + elements_.size() - 1); }

 private:
  std::int16_t first_;
  std::vector<std::unique_ptr<T>> elements_;
};

}  // namespace toolkit
