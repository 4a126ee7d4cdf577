#include "bench/text_generator.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_set>
#include <vector>

namespace verbolt {

namespace {

constexpr size_t kVocabularySize = 60000;

// Roughly in order of frequency in ordinary English prose.
constexpr std::string_view kCommonWords[] = {
    "the",       "of",           "and",       "to",         "a",          "in",
    "that",      "it",           "was",       "he",         "I",          "for",
    "his",       "on",           "you",       "with",       "as",         "had",
    "she",       "her",          "is",        "at",         "but",        "not",
    "be",        "they",         "said",      "by",         "him",        "from",
    "this",      "have",         "all",       "were",       "there",      "would",
    "one",       "we",           "what",      "so",         "an",         "or",
    "no",        "been",         "my",        "them",       "if",         "when",
    "out",       "up",           "could",     "then",       "their",      "into",
    "who",       "me",           "do",        "did",        "about",      "which",
    "like",      "more",         "will",      "now",        "some",       "time",
    "its",       "your",         "only",      "than",       "over",       "little",
    "down",      "know",         "very",      "back",       "before",     "man",
    "again",     "can",          "any",       "after",      "just",       "well",
    "other",     "how",          "our",       "made",       "way",        "where",
    "upon",      "see",          "went",      "came",       "never",      "old",
    "first",     "us",           "two",       "told",       "thought",    "these",
    "should",    "much",         "day",       "those",      "long",       "must",
    "through",   "come",         "here",      "even",       "own",        "go",
    "too",       "still",        "might",     "eyes",       "without",    "away",
    "good",      "hand",         "nothing",   "life",       "house",      "every",
    "once",      "face",         "being",     "night",      "looked",     "room",
    "great",     "seemed",       "while",     "felt",       "found",      "under",
    "door",      "because",      "head",      "began",      "yet",        "same",
    "left",      "take",         "asked",     "thing",      "things",     "nor",
    "always",    "knew",         "young",     "people",     "another",    "against",
    "place",     "men",          "don't",     "it's",       "last",       "both",
    "each",      "such",         "make",      "get",        "saw",        "look",
    "many",      "going",        "took",      "think",      "voice",      "side",
    "turned",    "right",        "moment",    "since",      "three",      "want",
    "gave",      "heard",        "world",     "mind",       "almost",     "course",
    "himself",   "herself",      "woman",     "father",     "mother",     "perhaps",
    "between",   "light",        "whole",     "something",  "enough",     "words",
    "work",      "water",        "morning",   "nearly",     "behind",     "word",
    "half",      "quite",        "till",      "toward",     "already",    "across",
    "let",       "anything",     "rather",    "didn't",     "I'm",        "can't",
    "that's",    "there's",      "wasn't",    "won't",      "he'd",       "couldn't",
    "also",      "among",        "better",    "tell",       "love",       "small",
    "set",       "soon",         "whom",      "air",        "ever",       "round",
    "kept",      "feet",         "end",       "within",     "white",      "put",
    "hands",     "friend",       "year",      "years",      "letter",     "children",
    "brought",   "wanted",       "called",    "table",      "window",     "along",
    "low",       "country",      "open",      "answered",   "passed",     "stood",
    "held",      "black",        "lay",       "least",      "part",       "best",
    "hard",      "full",         "poor",      "sat",        "together",   "often",
    "road",      "girl",         "sure",      "dark",       "bed",        "though",
    "indeed",    "matter",       "far",       "death",      "town",       "reached",
    "suddenly",  "sound",        "speak",     "answer",     "others",     "cried",
    "replied",   "few",          "whose",     "high",       "less",       "else",
    "kind",      "stopped",      "boy",       "city",       "fire",       "earth",
    "ground",    "sea",          "sun",       "trees",      "street",     "watched",
    "waited",    "silence",      "strange",   "remembered", "understand", "believe",
    "question",  "wrote",        "fear",      "possible",   "heart",      "evening",
    "beautiful", "certain",      "several",   "return",     "business",   "money",
    "reason",    "wife",         "husband",   "brother",    "sister",     "friends",
    "power",     "state",        "nature",    "certainly",  "later",      "garden",
    "river",     "ship",         "horse",     "caf\xE9",    "d\xE9j\xE0", "na\xEFve",
    "fianc\xE9", "r\xE9sum\xE9", "clich\xE9", "fa\347ade",  "\xE9lite",   "prot\xE9g\xE9"};

// Made-up words are mostly plain consonant-vowel syllables; clusters, vowel
// pairs, closing consonants and English endings come in now and then, which
// keeps the words about as long as the rarer words of real prose.
constexpr std::string_view kConsonants[] = {"b", "c", "d", "f", "g", "h", "j", "k", "l",
                                            "m", "n", "p", "r", "s", "t", "v", "w", "z"};
constexpr std::string_view kClusters[] = {"bl", "br", "ch",  "cl", "cr", "dr", "fl",
                                          "fr", "gl", "gr",  "pl", "pr", "sh", "sl",
                                          "sp", "st", "str", "th", "tr"};
constexpr std::string_view kVowels[] = {"a", "e", "i", "o", "u", "a", "e", "o"};
constexpr std::string_view kVowelPairs[] = {"ai", "ea", "ee", "oo", "ou", "io"};
constexpr std::string_view kCodas[] = {"n", "r", "s", "t", "l", "m", "nd", "nt", "st", "ck", "ng"};
constexpr std::string_view kEndings[] = {"ing",  "ed",    "er",  "ly",   "tion", "ness", "ment",
                                         "able", "ation", "ful", "less", "ous",  "ish",  "ive"};
constexpr int kSyllableCounts[] = {1, 1, 2, 2, 2, 2, 3, 3, 3, 4};

// splitmix64: tiny, fast and the same on every platform.
class RandomSource {
 public:
  explicit RandomSource(uint64_t seed) : m_state(seed) {}

  uint64_t next() {
    uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // The modulo bias is far below anything a text would show.
  uint64_t below(uint64_t n) { return next() % n; }
  bool oneIn(uint64_t n) { return below(n) == 0; }

  template <typename T, size_t N>
  const T& pick(const T (&items)[N]) {
    return items[below(N)];
  }

 private:
  uint64_t m_state;
};

uint64_t streamSeed(uint32_t seed, uint64_t stream) {
  return (static_cast<uint64_t>(seed) << 32) ^ (stream * 0xD1B54A32D192ED03ull);
}

std::string makeSyllable(RandomSource& random) {
  std::string syllable;
  uint64_t onset = random.below(10);
  if (onset < 6) {
    syllable += random.pick(kConsonants);
  } else if (onset < 8) {
    syllable += random.pick(kClusters);
  }
  syllable += random.oneIn(5) ? random.pick(kVowelPairs) : random.pick(kVowels);
  if (random.oneIn(3)) syllable += random.pick(kCodas);
  return syllable;
}

std::string makeSyllables(RandomSource& random, int count) {
  std::string word;
  for (int i = 0; i < count; ++i) word += makeSyllable(random);
  return word;
}

std::string makeMadeUpWord(RandomSource& random) {
  std::string word = makeSyllables(random, random.pick(kSyllableCounts));
  if (random.oneIn(4)) word += random.pick(kEndings);
  if (random.oneIn(300)) {
    size_t e = word.find('e');
    if (e != std::string::npos) word[e] = '\xE9';
  }
  return word;
}

char capital(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string lowered(std::string_view word) {
  std::string result(word);
  for (char& c : result) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return result;
}

struct Vocabulary {
  std::vector<std::string> words;  // by rank
  std::vector<uint64_t> cumulativeWeights;
  size_t commonWordCount = 0;
};

// Zipf-Mandelbrot weights 1 / (rank + 2) in fixed point: integer sums keep
// the sampling identical everywhere.
std::vector<uint64_t> cumulativeZipfWeights(size_t count) {
  constexpr uint64_t kScale = uint64_t{1} << 40;
  std::vector<uint64_t> cumulative(count);
  uint64_t total = 0;
  for (size_t rank = 0; rank < count; ++rank) {
    total += kScale / (rank + 2);
    cumulative[rank] = total;
  }
  return cumulative;
}

Vocabulary makeVocabulary(uint32_t seed) {
  Vocabulary vocabulary;
  std::unordered_set<std::string> taken;
  for (std::string_view word : kCommonWords) {
    if (!taken.insert(lowered(word)).second) continue;
    vocabulary.words.emplace_back(word);
  }
  vocabulary.commonWordCount = vocabulary.words.size();
  RandomSource random(streamSeed(seed, 1));
  while (vocabulary.words.size() < kVocabularySize) {
    std::string word = makeMadeUpWord(random);
    if (!taken.insert(word).second) continue;
    // One made-up word in forty is a name, always written with a capital.
    if (vocabulary.words.size() % 40 == 0) word[0] = capital(word[0]);
    vocabulary.words.push_back(std::move(word));
  }
  vocabulary.cumulativeWeights = cumulativeZipfWeights(kVocabularySize);
  return vocabulary;
}

// Kept for the life of the program: a run uses one or two seeds.
const Vocabulary& vocabularyFor(uint32_t seed) {
  static std::mutex mutex;
  static std::map<uint32_t, std::unique_ptr<Vocabulary>> bySeed;
  std::lock_guard<std::mutex> lock(mutex);
  std::unique_ptr<Vocabulary>& vocabulary = bySeed[seed];
  if (!vocabulary) vocabulary = std::make_unique<Vocabulary>(makeVocabulary(seed));
  return *vocabulary;
}

std::string makeRandomLetters(RandomSource& random, int count) {
  std::string letters;
  for (int i = 0; i < count; ++i) letters += static_cast<char>('a' + random.below(26));
  return letters;
}

std::vector<std::string> makeHostileWords(uint32_t seed, const Vocabulary& vocabulary,
                                          HostileWords kind) {
  std::unordered_set<std::string> taken;
  for (const std::string& word : vocabulary.words) taken.insert(lowered(word));
  RandomSource random(streamSeed(seed, 2));
  std::vector<std::string> words;
  words.reserve(kHostileWordCount);
  while (words.size() < kHostileWordCount) {
    std::string word(kHostilePrefix);
    if (kind == HostileWords::kSyllables) {
      word += makeSyllables(random, 2 + static_cast<int>(random.below(2)));
    } else {
      word += makeRandomLetters(random, 6 + static_cast<int>(random.below(5)));
    }
    if (taken.insert(word).second) words.push_back(std::move(word));
  }
  for (size_t i = words.size() - 1; i > 0; --i) std::swap(words[i], words[random.below(i + 1)]);
  return words;
}

std::vector<std::string> makeFamilyWords(uint32_t seed) {
  const std::string_view consonants = "bdklmnprst";
  const std::string_view vowels = "aeiou";
  std::vector<std::string> syllables;
  for (char consonant : consonants) {
    for (char vowel : vowels) syllables.push_back({consonant, vowel});
  }
  RandomSource random(streamSeed(seed, 4));
  std::unordered_set<std::string> taken;
  std::vector<std::string> words;
  words.reserve(kLargeFamilyWordCount);
  while (words.size() < kLargeFamilyWordCount) {
    std::string word;
    const int count = 3 + static_cast<int>(random.below(4));
    for (int i = 0; i < count; ++i) word += syllables[random.below(syllables.size())];
    if (taken.insert(word).second) words.push_back(std::move(word));
  }
  for (size_t i = words.size() - 1; i > 0; --i) std::swap(words[i], words[random.below(i + 1)]);
  return words;
}

class ProseWriter {
 public:
  // `extras` are written in turn in place of one word in `extraShare`.
  ProseWriter(const Vocabulary& vocabulary, uint32_t seed, const std::vector<std::string>* extras,
              uint64_t extraShare = 2)
      : m_vocabulary(vocabulary),
        m_random(streamSeed(seed, 3)),
        m_extras(extras),
        m_extraShare(extraShare) {}

  std::string write(size_t bytes) {
    m_text.reserve(bytes + 256);
    while (m_text.size() < bytes) writeParagraph();
    m_text.resize(bytes);
    return std::move(m_text);
  }

 private:
  void writeParagraph() {
    int sentences = 2 + static_cast<int>(m_random.below(7));
    for (int i = 0; i < sentences; ++i) {
      if (i > 0) m_text += ' ';
      writeSentence();
    }
    m_text += '\n';
  }

  void writeSentence() {
    int words = 4 + static_cast<int>(m_random.below(18));
    for (int i = 0; i < words; ++i) {
      size_t wordStart = m_text.size();
      writeWord();
      if (i == 0) m_text[wordStart] = capital(m_text[wordStart]);
      if (i + 1 < words) writeWordSeparator();
    }
    uint64_t mark = m_random.below(50);
    m_text += mark < 3 ? '?' : mark < 5 ? '!' : '.';
  }

  void writeWordSeparator() {
    uint64_t kind = m_random.below(600);
    if (kind < 50) {
      m_text += ", ";
    } else if (kind < 54) {
      m_text += '-';
    } else {
      m_text += ' ';
    }
  }

  void writeWord() {
    if (m_extras && m_random.oneIn(m_extraShare)) {
      m_text += (*m_extras)[m_nextExtra];
      m_nextExtra = (m_nextExtra + 1) % m_extras->size();
      return;
    }
    size_t rank = sampleRank();
    m_text += m_vocabulary.words[rank];
    bool madeUp = rank >= m_vocabulary.commonWordCount;
    if (madeUp && m_random.oneIn(60)) m_text += "'s";
  }

  size_t sampleRank() {
    const std::vector<uint64_t>& cumulative = m_vocabulary.cumulativeWeights;
    uint64_t target = m_random.below(cumulative.back());
    return std::upper_bound(cumulative.begin(), cumulative.end(), target) - cumulative.begin();
  }

  const Vocabulary& m_vocabulary;
  RandomSource m_random;
  const std::vector<std::string>* m_extras;
  uint64_t m_extraShare;
  size_t m_nextExtra = 0;
  std::string m_text;
};

}  // namespace

std::string generateProse(size_t bytes, uint32_t seed) {
  return ProseWriter(vocabularyFor(seed), seed, nullptr).write(bytes);
}

std::string generateHostile(size_t bytes, uint32_t seed, HostileWords kind) {
  const Vocabulary& vocabulary = vocabularyFor(seed);
  std::vector<std::string> hostileWords = makeHostileWords(seed, vocabulary, kind);
  return ProseWriter(vocabulary, seed, &hostileWords).write(bytes);
}

std::string generateLargeFamilies(size_t bytes, uint32_t seed) {
  std::vector<std::string> familyWords = makeFamilyWords(seed);
  return ProseWriter(vocabularyFor(seed), seed, &familyWords, 1).write(bytes);
}

std::vector<std::string> paragraphsOf(const std::string& utf8) {
  std::vector<std::string> paragraphs;
  size_t start = 0;
  while (start < utf8.size()) {
    size_t end = utf8.find('\n', start);
    if (end == std::string::npos) end = utf8.size();
    paragraphs.push_back(utf8.substr(start, end - start));
    start = end + 1;
  }
  return paragraphs;
}

std::string benchProse(size_t bytes) {
  const char* file = std::getenv("VERBOLT_BENCH_TEXT");
  if (!file) return generateProse(bytes, 1);
  std::ifstream in(file, std::ios::binary);
  const std::string whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (whole.empty()) return generateProse(bytes, 1);
  std::string text;
  while (text.size() < bytes) text += whole.substr(0, bytes - text.size());
  return text;
}

}  // namespace verbolt
