#include "analysis/key_order.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

#include "analysis/word_head.h"

namespace verbolt {

KeyOrder::KeyOrder(size_t stateInts, int initialState)
    : m_stateInts(stateInts), m_initialState(initialState) {}

void KeyOrder::AlignedDelete::operator()(int* p) const {
  ::operator delete[](p, std::align_val_t{64});
}

std::uint32_t KeyOrder::newBlock() {
  Block block;
  block.keys = std::make_unique<Key[]>(kBlockKeys);
  block.states.reset(static_cast<int*>(
      ::operator new[](kBlockKeys* m_stateInts * sizeof(int), std::align_val_t{64})));
  m_blocks.push_back(std::move(block));
  return static_cast<std::uint32_t>(m_blocks.size() - 1);
}

namespace {

// A head read as a number that orders like its bytes.
std::uint64_t ordered(std::uint64_t head) {
  if constexpr (std::endian::native == std::endian::little) return __builtin_bswap64(head);
  return head;
}

}  // namespace

// Key order from the heads where they differ. Equal heads mean equal first
// 16 bytes, or a shorter key padded with zeros: a proper prefix, first.
bool KeyOrder::less(const Key& a, const Key& b) const {
  if (a.head[0] != b.head[0]) return ordered(a.head[0]) < ordered(b.head[0]);
  if (a.head[1] != b.head[1]) return ordered(a.head[1]) < ordered(b.head[1]);
  if (a.length > 16 && b.length > 16) return text(a.id).substr(16) < text(b.id).substr(16);
  return a.length < b.length;
}

// Where in m_order the block lies whose first key is the last one not above
// `key`, or the first block.
size_t KeyOrder::blockFor(const Key& key) const {
  auto after = std::upper_bound(m_firstKeys.begin() + 1, m_firstKeys.end(), key,
                                [this](const Key& k, const Key& first) { return less(k, first); });
  return static_cast<size_t>(after - m_firstKeys.begin()) - 1;
}

std::uint32_t KeyOrder::slotFor(const Block& block, const Key& key) const {
  const Key* keys = block.keys.get();
  return static_cast<std::uint32_t>(
      std::lower_bound(keys, keys + block.size, key,
                       [this](const Key& k, const Key& added) { return less(k, added); }) -
      keys);
}

int KeyOrder::add(std::string_view key) {
  Key added;
  wordHead(key, added.head);
  added.length = static_cast<std::uint32_t>(key.size());
  added.id = size();
  m_texts.push_back(key);
  if (m_order.empty()) {
    m_order.push_back(newBlock());
    m_firstKeys.push_back(added);
  }
  size_t position = blockFor(added);
  std::uint32_t number = m_order[position];
  Block& block = m_blocks[number];
  std::uint32_t slot = slotFor(block, added);
  Key* keys = block.keys.get();
  std::copy_backward(keys + slot, keys + block.size, keys + block.size + 1);
  int* states = block.states.get();
  std::copy_backward(states + slot * m_stateInts, states + block.size * m_stateInts,
                     states + (block.size + 1) * m_stateInts);
  std::fill_n(states + slot * m_stateInts, m_stateInts, m_initialState);
  ++block.size;
  keys[slot] = added;
  if (slot == 0) m_firstKeys[position] = added;
  m_locations.push_back(0);
  relocate(number, slot);
  splitIfFull(position);
  return added.id;
}

// Tells the keys of a block from `fromSlot` on where they now lie.
void KeyOrder::relocate(std::uint32_t number, std::uint32_t fromSlot) {
  const Block& block = m_blocks[number];
  for (std::uint32_t slot = fromSlot; slot < block.size; ++slot) {
    m_locations[static_cast<size_t>(block.keys[slot].id)] = number * kBlockKeys + slot;
  }
}

void KeyOrder::splitIfFull(size_t position) {
  std::uint32_t number = m_order[position];
  if (m_blocks[number].size < kBlockKeys) return;
  std::uint32_t upper = newBlock();
  Block& full = m_blocks[number];
  Block& half = m_blocks[upper];
  std::uint32_t kept = full.size / 2;
  half.size = full.size - kept;
  std::copy(full.keys.get() + kept, full.keys.get() + full.size, half.keys.get());
  std::copy(full.states.get() + kept * m_stateInts, full.states.get() + full.size * m_stateInts,
            half.states.get());
  full.size = kept;

  half.previous = number;
  half.next = full.next;
  if (full.next != kNoBlock) m_blocks[full.next].previous = upper;
  full.next = upper;
  m_order.insert(m_order.begin() + static_cast<long>(position) + 1, upper);
  m_firstKeys.insert(m_firstKeys.begin() + static_cast<long>(position) + 1, half.keys[0]);
  relocate(upper, 0);
}

}  // namespace verbolt
