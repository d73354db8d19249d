#pragma once
// Scratch space of n elements that lives on the stack while n is small and on the heap otherwise,
// for the per-call work arrays of layout, which is run for every node many times a pass.
#include <cstddef>
#include <span>
#include <type_traits>
#include <vector>

namespace host {

// The elements start out unset: write each before reading it.
template <class T, std::size_t N>
class SmallBuffer {
  static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);

 public:
  explicit SmallBuffer(std::size_t n) {
    if (n > N) heap_.resize(n);
    // The byte array implicitly creates the (implicit-lifetime) elements; it is left uninitialised
    // because zeroing it costs more than the work it serves.
    span_ = n > N ? std::span<T>(heap_) : std::span<T>(reinterpret_cast<T*>(inline_), n);
  }
  SmallBuffer(const SmallBuffer&) = delete;
  SmallBuffer& operator=(const SmallBuffer&) = delete;

  std::span<T> span() { return span_; }
  T& operator[](std::size_t i) { return span_[i]; }
  std::size_t size() const { return span_.size(); }

 private:
  alignas(T) std::byte inline_[N * sizeof(T)];
  std::vector<T> heap_;
  std::span<T> span_;
};

}  // namespace host
