#include "analysis/word_index.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "analysis/word_head.h"

namespace verbolt {

namespace {

constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
constexpr size_t kBlockSize = 64 * 1024;

std::uint64_t mix(std::uint64_t h) {
  h ^= h >> 32;
  h *= 0xD6E8FEB86659FD93ull;
  h ^= h >> 32;
  return h;
}

}  // namespace

// The 16 bytes of the head, then the rest eight at a time.
std::uint64_t hashWord(std::string_view word) {
  std::uint64_t head[2];
  wordHead(word, head);
  std::uint64_t h = (head[0] * kMultiplier) ^ (head[1] * 0xC2B2AE3D27D4EB4Full) ^ word.size();
  for (size_t i = 16; i < word.size(); i += 8) {
    h = mix(h) ^ loadWordBytes(word.data() + i, word.size() - i);
    h *= kMultiplier;
  }
  return mix(h);
}

WordIndex::Slot WordIndex::slotFor(std::string_view word) {
  Slot slot;
  slot.head = loadWordBytes(word.data(), std::min<size_t>(word.size(), 8));
  slot.length = static_cast<std::uint32_t>(word.size());
  return slot;
}

// Linear probing from the slot the hash names; the table is kept at most
// half full, so a probe ends after a slot or two.
size_t WordIndex::slotOf(const Slot& wanted, std::string_view word, std::uint64_t hash) const {
  const size_t mask = m_slots.size() - 1;
  size_t s = static_cast<size_t>(hash) & mask;
  while (true) {
    const Slot& slot = m_slots[s];
    if (slot.id == kAbsent) return s;
    if (slot.head == wanted.head && slot.length == wanted.length &&
        (word.size() <= 8 || std::memcmp(m_words[static_cast<size_t>(slot.id)].data() + 8,
                                         word.data() + 8, word.size() - 8) == 0)) {
      return s;
    }
    s = (s + 1) & mask;
  }
}

int WordIndex::find(std::string_view word) const {
  return m_slots[slotOf(slotFor(word), word, hashWord(word))].id;
}

int WordIndex::insert(std::string_view word) { return insert(word, hashWord(word)); }

int WordIndex::insert(std::string_view word, std::uint64_t hash) {
  Slot wanted = slotFor(word);
  size_t s = slotOf(wanted, word, hash);
  if (m_slots[s].id != kAbsent) return m_slots[s].id;
  wanted.id = size();
  m_words.push_back(keep(word));
  m_slots[s] = wanted;
  if (m_words.size() * 2 > m_slots.size()) grow();
  return wanted.id;
}

std::string_view WordIndex::keep(std::string_view word) {
  if (word.size() > m_blockLeft) {
    size_t size = std::max(kBlockSize, word.size());
    m_blocks.push_back(std::make_unique<char[]>(size));
    m_blockEnd = m_blocks.back().get();
    m_blockLeft = size;
  }
  if (!word.empty()) std::memcpy(m_blockEnd, word.data(), word.size());
  std::string_view kept(m_blockEnd, word.size());
  m_blockEnd += word.size();
  m_blockLeft -= word.size();
  return kept;
}

void WordIndex::reserve(size_t words) {
  if (words * 2 > m_slots.size()) rehash(std::bit_ceil(words * 2));
}

void WordIndex::grow() { rehash(m_slots.size() * 2); }

// Asks for the new table in one piece: growing by doubling would touch
// every smaller table on the way.
void WordIndex::rehash(size_t slots) {
  std::vector<Slot> old = std::move(m_slots);
  m_slots.assign(slots, Slot{});
  const size_t mask = m_slots.size() - 1;
  for (const Slot& slot : old) {
    if (slot.id == kAbsent) continue;
    size_t s = static_cast<size_t>(hashWord(m_words[static_cast<size_t>(slot.id)])) & mask;
    while (m_slots[s].id != kAbsent) s = (s + 1) & mask;
    m_slots[s] = slot;
  }
}

}  // namespace verbolt
