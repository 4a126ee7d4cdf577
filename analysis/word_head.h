// The first 16 bytes of a word as two numbers, zeros after its end: the
// word index and the key order compare and hash words through them, and
// most words fit whole.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace verbolt {

// Bytes [0, count) of `bytes` (count at most 8) as they lie in memory,
// zeros after them, without reading a byte beyond them: a word may end the
// text. The loads overlap rather than loop.
inline std::uint64_t loadWordBytes(const char* bytes, size_t count) {
  std::uint64_t value = 0;
  if constexpr (std::endian::native == std::endian::little) {
    if (count >= 8) {
      std::memcpy(&value, bytes, 8);
    } else if (count >= 4) {
      std::uint32_t low;
      std::uint32_t high;
      std::memcpy(&low, bytes, 4);
      std::memcpy(&high, bytes + count - 4, 4);
      value = low | (std::uint64_t{high} << (8 * (count - 4)));
    } else if (count > 0) {
      auto byte = [bytes](size_t i) { return std::uint64_t{static_cast<unsigned char>(bytes[i])}; };
      value = byte(0) | byte(count / 2) << (8 * (count / 2)) | byte(count - 1) << (8 * (count - 1));
    }
  } else {
    std::memcpy(&value, bytes, count < 8 ? count : 8);
  }
  return value;
}

inline void wordHead(std::string_view word, std::uint64_t head[2]) {
  size_t size = word.size();
  head[0] = loadWordBytes(word.data(), size);
  head[1] = size > 8 ? loadWordBytes(word.data() + 8, size - 8) : 0;
}

// The bits of a number read from memory that hold its first `count` bytes
// (1 to 8).
constexpr std::uint64_t firstBytesMask(size_t count) {
  if (count >= 8) return ~std::uint64_t{0};
  if constexpr (std::endian::native == std::endian::little) {
    return (std::uint64_t{1} << (8 * count)) - 1;
  } else {
    return ~(~std::uint64_t{0} >> (8 * count));
  }
}

// The index of the first byte in memory where `x`, the exclusive or of two
// loads, is not zero.
inline size_t firstDifferentByte(std::uint64_t x) {
  if constexpr (std::endian::native == std::endian::little) {
    return static_cast<size_t>(std::countr_zero(x)) / 8;
  } else {
    return static_cast<size_t>(std::countl_zero(x)) / 8;
  }
}

}  // namespace verbolt
