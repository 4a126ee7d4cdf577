#include "lemma/dictionary.h"

#include <sys/stat.h>

#include <hunspell/hunspell.hxx>

#include "lemma/lemma_cache.h"
#include "text/cp1252.h"

namespace verbolt {

namespace {

bool isReadableFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

const char* dictionaryName(Language language) {
  return language == Language::kFrench ? "fr" : "en_US";
}

// The editor's words are Windows-1252; a UTF-8 dictionary wants them in its
// own encoding, and a Latin-1 one reads the letters as they are.
class HunspellStems {
 public:
  explicit HunspellStems(const DictionaryFiles& files)
      : m_hunspell(files.affixes.c_str(), files.words.c_str()),
        m_utf8(m_hunspell.get_dict_encoding() == "UTF-8") {}

  std::vector<std::string> operator()(std::string_view word) {
    return m_hunspell.stem(m_utf8 ? cp1252ToUtf8(word) : std::string(word));
  }

 private:
  Hunspell m_hunspell;
  bool m_utf8;
};

}  // namespace

std::optional<DictionaryFiles> findDictionary(Language language, const std::string& folder) {
  const std::string base = folder + "/" + dictionaryName(language);
  DictionaryFiles files{base + ".aff", base + ".dic"};
  if (!isReadableFile(files.affixes) || !isReadableFile(files.words)) return std::nullopt;
  return files;
}

std::string dictionaryPackage(Language language) {
  return language == Language::kFrench ? "hunspell-fr" : "hunspell-en-us";
}

std::shared_ptr<LemmaSource> loadLemmas(const DictionaryFiles& files) {
  auto stems = std::make_shared<HunspellStems>(files);
  return std::make_shared<LemmaCache>([stems](std::string_view word) { return (*stems)(word); });
}

}  // namespace verbolt
