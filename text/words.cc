#include "text/words.h"

#include <algorithm>
#include <bit>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace verbolt {

namespace {

bool isCountSeparator(unsigned char c) { return c == ' ' || c == '\n' || c == 0x96; }

char lowered(char c) {
  auto byte = static_cast<unsigned char>(c);
  return static_cast<char>(byte + (static_cast<unsigned char>(byte - 'A') < 26) * ('a' - 'A'));
}

// Bit i set when bytes[i] == value, for `count` bytes (at most 64): these
// figures are taken on whole novels, 64 bytes at a time.
std::uint64_t byteMask(const unsigned char* bytes, size_t count, unsigned char value) {
#ifdef __SSE2__
  if (count == 64) {
    const __m128i wanted = _mm_set1_epi8(static_cast<char>(value));
    std::uint64_t mask = 0;
    for (int i = 0; i < 4; ++i) {
      __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * i));
      mask |= std::uint64_t{static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(c, wanted)))}
              << (16 * i);
    }
    return mask;
  }
#endif
  std::uint64_t mask = 0;
  for (size_t i = 0; i < count; ++i) mask |= std::uint64_t{bytes[i] == value} << i;
  return mask;
}

void lowercaseBytes(char* bytes, size_t count) {
  size_t i = 0;
#ifdef __SSE2__
  // A capital, biased by 0x80, is below 'A' + 26 - 0x80 as a signed byte.
  const __m128i bias = _mm_set1_epi8(static_cast<char>('A' + 0x80));
  const __m128i limit = _mm_set1_epi8(static_cast<char>(26 - 0x80));
  const __m128i caseBit = _mm_set1_epi8('a' - 'A');
  for (; i + 16 <= count; i += 16) {
    auto* at = reinterpret_cast<__m128i*>(bytes + i);
    __m128i c = _mm_loadu_si128(at);
    __m128i capital = _mm_cmplt_epi8(_mm_sub_epi8(c, bias), limit);
    _mm_storeu_si128(at, _mm_add_epi8(c, _mm_and_si128(capital, caseBit)));
  }
#endif
  for (; i < count; ++i) bytes[i] = lowered(bytes[i]);
}

// Counts the bytes of [begin, end); a word start is looked for at every
// position of it that has a next byte in `text`.
void tally(std::string_view text, size_t begin, size_t end, TextCounts& tally) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  for (size_t i = begin; i < end; i += 64) {
    size_t count = std::min<size_t>(64, end - i);
    std::uint64_t lineFeeds = byteMask(bytes + i, count, '\n');
    std::uint64_t blanks = byteMask(bytes + i, count, ' ');
    std::uint64_t separators = lineFeeds | blanks | byteMask(bytes + i, count, 0x96);
    tally.lineFeeds += std::popcount(lineFeeds);
    tally.blanks += std::popcount(blanks);
    bool hasNext = i + count < text.size();
    std::uint64_t nextIsSeparator =
        (separators >> 1) |
        (std::uint64_t{hasNext && isCountSeparator(bytes[i + count])} << (count - 1));
    std::uint64_t starts = separators & ~nextIsSeparator;
    if (!hasNext) starts &= ~(std::uint64_t{1} << (count - 1));  // the last byte has no next
    tally.wordStarts += std::popcount(starts);
  }
}

std::uint64_t wordCharMaskByBytes(const char* bytes, size_t count) {
  std::uint64_t mask = 0;
  for (size_t i = 0; i < count; ++i) {
    mask |= std::uint64_t{isWordChar(static_cast<unsigned char>(bytes[i]))} << i;
  }
  return mask;
}

#ifdef __SSE2__
// The word characters of 16 bytes: digits, ASCII letters of either case,
// 0xC0-0xFF and the eight letters among 0x8A-0xB5.
unsigned wordCharMask16(const char* bytes) {
  const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
  // Unsigned c - low < size, as a signed comparison of values biased by 0x80.
  auto inRange = [](__m128i c, char low, int size) {
    __m128i biased = _mm_xor_si128(_mm_sub_epi8(c, _mm_set1_epi8(low)), _mm_set1_epi8(-128));
    return _mm_cmplt_epi8(biased, _mm_set1_epi8(static_cast<char>(size - 128)));
  };
  __m128i word =
      _mm_or_si128(inRange(c, '0', 10), inRange(_mm_or_si128(c, _mm_set1_epi8(0x20)), 'a', 26));
  word = _mm_or_si128(word, inRange(c, static_cast<char>(0xC0), 64));
  for (int letter : {0x8A, 0x8C, 0x8E, 0x9A, 0x9C, 0x9E, 0x9F, 0xB5}) {
    word = _mm_or_si128(word, _mm_cmpeq_epi8(c, _mm_set1_epi8(static_cast<char>(letter))));
  }
  return static_cast<unsigned>(_mm_movemask_epi8(word));
}
#endif

}  // namespace

std::uint64_t wordCharMask(const char* bytes, size_t count) {
#ifdef __SSE2__
  if (count == 64) {
    std::uint64_t mask = 0;
    for (int i = 0; i < 4; ++i) mask |= std::uint64_t{wordCharMask16(bytes + 16 * i)} << (16 * i);
    return mask;
  }
#endif
  return wordCharMaskByBytes(bytes, count);
}

void lowercaseTextInPlace(std::string& text) { lowercaseBytes(text.data(), text.size()); }

std::string lowercaseText(std::string_view text) {
  std::string lowered(text);
  lowercaseTextInPlace(lowered);
  return lowered;
}

size_t wordEndAt(std::string_view text, size_t s) {
  size_t e = s + 1;
  while (e < text.size() && isWordChar(text[e])) ++e;
  return e;
}

size_t wordStartAt(std::string_view text, size_t p) {
  size_t d = 1;
  while (d <= p && d < 50 && p - d < text.size() && isWordChar(text[p - d])) ++d;
  return p - d + 1;
}

int countWords(std::string_view text) { return textStatistics(text).words; }

TextCounts countsIn(std::string_view text, size_t from, size_t to) {
  TextCounts counts;
  if (from < to) tally(text, from, to, counts);
  return counts;
}

TextStatistics statisticsFrom(size_t size, const TextCounts& counts) {
  const auto bytes = static_cast<long long>(size);
  TextStatistics stats;
  stats.words = size == 0 ? 0 : static_cast<int>(1 + counts.wordStarts);
  stats.lettersWithSpaces = static_cast<int>(bytes - counts.lineFeeds);
  stats.lettersWithoutSpaces = static_cast<int>(bytes - counts.lineFeeds - counts.blanks);
  return stats;
}

TextStatistics textStatistics(std::string_view text) {
  return statisticsFrom(text.size(), countsIn(text, 0, text.size()));
}

TextCounts lowercaseAndCountIn(std::string& text) {
  // A block is counted, then folded, while it is in the cache; folding
  // never turns a separator into anything else, so counting may look at
  // the first byte of the next block before it is folded.
  constexpr size_t kBlock = 64 * 1024;
  TextCounts counts;
  for (size_t begin = 0; begin < text.size(); begin += kBlock) {
    size_t end = std::min(text.size(), begin + kBlock);
    tally(text, begin, end, counts);
    lowercaseBytes(text.data() + begin, end - begin);
  }
  return counts;
}

TextStatistics lowercaseAndCount(std::string& text) {
  const TextCounts counts = lowercaseAndCountIn(text);
  return statisticsFrom(text.size(), counts);
}

}  // namespace verbolt
