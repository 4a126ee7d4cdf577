#include "lemma/lemma_cache.h"

#include <algorithm>
#include <cassert>

namespace verbolt {

const std::vector<int>& LemmaCache::lemmasOf(std::string_view word) {
  checkOwner();
  auto known = m_lemmasOfWord.find(word);
  if (known != m_lemmasOfWord.end()) return known->second;
  ++m_lookUps;
  std::vector<int> ids;
  for (const std::string& lemma : m_lookUp(word)) ids.push_back(idOf(lemma));
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
  // Node-based: the list stays where it is as the map grows.
  return m_lemmasOfWord.emplace(std::string(word), std::move(ids)).first->second;
}

int LemmaCache::idOf(const std::string& lemma) {
  auto [entry, added] = m_lemmaIds.try_emplace(lemma, static_cast<int>(m_lemmaIds.size()));
  return entry->second;
}

void LemmaCache::checkOwner() {
#ifndef NDEBUG
  const std::thread::id caller = std::this_thread::get_id();
  if (m_owner == std::thread::id()) m_owner = caller;
  assert(m_owner == caller && "a LemmaCache answers the one thread that asked first");
#endif
}

}  // namespace verbolt
