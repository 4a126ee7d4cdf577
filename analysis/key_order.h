// The keys of the word table in key order, kept in small sorted blocks, each
// key with a few ints of state beside it: a walk over the keys that share a
// beginning reads neighbouring memory, so do the states of equivalent keys,
// and a new key moves the keys of one block only. Each key has an id, given
// in order of arrival, by which it is found wherever it has moved since.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace verbolt {

class KeyOrder {
 public:
  // A key as the walks compare it: its first 16 bytes inline (zeros after
  // the end), its length and its id.
  struct Key {
    std::uint64_t head[2];
    std::uint32_t length;
    std::int32_t id;
  };

  // A place in key order; adding a key moves it.
  struct Cursor {
    std::uint32_t block;
    std::uint32_t slot;
  };

  // Each key carries `stateInts` ints, set to `initialState` when it comes.
  KeyOrder(size_t stateInts, int initialState);

  int size() const { return static_cast<int>(m_texts.size()); }

  // Makes room for `keys` keys without growing on the way.
  void reserve(size_t keys) {
    m_texts.reserve(keys);
    m_locations.reserve(keys);
  }

  // Adds `key`, which must be absent and whose bytes must stay where they
  // are as long as the keys; its id is the number of keys before.
  int add(std::string_view key);
  std::string_view text(int id) const { return m_texts[static_cast<size_t>(id)]; }

  Cursor cursorAt(int id) const {
    std::uint32_t packed = m_locations[static_cast<size_t>(id)];
    return {packed / kBlockKeys, packed % kBlockKeys};
  }
  const Key& key(Cursor c) const { return m_blocks[c.block].keys[c.slot]; }
  const Key& keyOf(int id) const { return key(cursorAt(id)); }
  int* state(Cursor c) { return m_blocks[c.block].states.get() + c.slot * m_stateInts; }
  const int* state(Cursor c) const { return m_blocks[c.block].states.get() + c.slot * m_stateInts; }
  int* stateOf(int id) { return state(cursorAt(id)); }
  const int* stateOf(int id) const { return state(cursorAt(id)); }

  // Ask the processor to fetch, in turn, where a key lies and its state.
  void prefetchLocation(int id) const { __builtin_prefetch(&m_locations[static_cast<size_t>(id)]); }
  void prefetchState(int id) const { __builtin_prefetch(stateOf(id)); }

  // Key order: unsigned byte order of the texts.
  bool less(const Key& a, const Key& b) const;

  // The first of the keys just before `c` (and `c` itself) for which
  // `inRun` holds without a break.
  template <typename InRun>
  Cursor firstOfRun(Cursor c, InRun inRun) const;

  // Calls visit(key, state) on the keys from `c` on, in key order, until it
  // returns false or the keys end.
  template <typename Visit>
  void walk(Cursor c, Visit visit);

  // Calls visit(key, state) on every key in key order.
  template <typename Visit>
  void forEach(Visit visit) const;

 private:
  static constexpr std::uint32_t kNoBlock = 0xFFFFFFFFu;
  static constexpr std::uint32_t kBlockKeys = 64;

  // States start on a cache line: a state of eight ints then never
  // straddles two.
  struct AlignedDelete {
    void operator()(int* p) const;
  };

  struct Block {
    std::unique_ptr<Key[]> keys;
    std::unique_ptr<int[], AlignedDelete> states;
    std::uint32_t size = 0;
    std::uint32_t previous = kNoBlock;
    std::uint32_t next = kNoBlock;
  };

  // Walks read a block's keys from end to end: asking for all of them at
  // once keeps the processor from waiting line by line.
  static void prefetchKeys(const Block& block) {
    const char* bytes = reinterpret_cast<const char*>(block.keys.get());
    for (size_t offset = 0; offset < block.size * sizeof(Key); offset += 64) {
      __builtin_prefetch(bytes + offset);
    }
  }

  std::uint32_t newBlock();
  size_t blockFor(const Key& key) const;
  std::uint32_t slotFor(const Block& block, const Key& key) const;
  void splitIfFull(size_t position);
  void relocate(std::uint32_t number, std::uint32_t fromSlot);

  size_t m_stateInts;
  int m_initialState;
  std::vector<std::string_view> m_texts;  // by id
  std::vector<Block> m_blocks;            // by number, in order of creation
  std::vector<std::uint32_t> m_order;     // block numbers in key order
  std::vector<Key> m_firstKeys;           // the first key of each block of m_order
  // By id: block number times kBlockKeys plus slot, in four bytes, so that
  // the places of many keys stay in the processor's caches.
  std::vector<std::uint32_t> m_locations;
};

template <typename InRun>
KeyOrder::Cursor KeyOrder::firstOfRun(Cursor c, InRun inRun) const {
  while (true) {
    const Block& block = m_blocks[c.block];
    std::uint32_t slot = c.slot;
    while (slot > 0 && inRun(block.keys[slot - 1])) --slot;
    if (slot > 0 || block.previous == kNoBlock) return {c.block, slot};
    const Block& before = m_blocks[block.previous];
    if (!inRun(before.keys[before.size - 1])) return {c.block, 0};
    c = {block.previous, before.size - 1};
  }
}

template <typename Visit>
void KeyOrder::walk(Cursor c, Visit visit) {
  for (std::uint32_t number = c.block, slot = c.slot; number != kNoBlock; slot = 0) {
    Block& block = m_blocks[number];
    if (block.next != kNoBlock) prefetchKeys(m_blocks[block.next]);
    const Key* keys = block.keys.get();
    int* states = block.states.get();
    for (; slot < block.size; ++slot) {
      if (!visit(keys[slot], states + slot * m_stateInts)) return;
    }
    number = block.next;
  }
}

template <typename Visit>
void KeyOrder::forEach(Visit visit) const {
  for (std::uint32_t number : m_order) {
    const Block& block = m_blocks[number];
    for (std::uint32_t slot = 0; slot < block.size; ++slot) {
      visit(block.keys[slot], block.states.get() + slot * m_stateInts);
    }
  }
}

}  // namespace verbolt
