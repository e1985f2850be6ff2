// Taking a fuzzer's bytes apart: a few leading bytes as choices, the rest as text.
#ifndef VARNEL_FUZZ_FUZZ_INPUT_H
#define VARNEL_FUZZ_FUZZ_INPUT_H

#include <cstddef>
#include <cstdint>
#include <string>

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  // The next byte, or 0 once the input is used up.
  std::uint8_t Byte() {
    if (offset_ == size_) return 0;
    return data_[offset_++];
  }

  // Bytes up to the next NUL (which is consumed) or the end; embedded bytes of any value.
  std::string Piece() {
    std::string piece;
    while (offset_ < size_ && data_[offset_] != 0) piece.push_back(static_cast<char>(data_[offset_++]));
    if (offset_ < size_) ++offset_;
    return piece;
  }

  std::string Rest() {
    std::string rest(reinterpret_cast<const char*>(data_ + offset_), size_ - offset_);
    offset_ = size_;
    return rest;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t offset_ = 0;
};

#endif
