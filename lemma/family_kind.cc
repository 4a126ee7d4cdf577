#include "lemma/family_kind.h"

namespace verbolt {

namespace {

struct Named {
  FamilyKind kind;
  std::string_view name;
};
constexpr Named kNames[] = {{FamilyKind::kBeginning, "beginning"},
                            {FamilyKind::kLemmaFrench, "lemma-fr"},
                            {FamilyKind::kLemmaEnglish, "lemma-en"}};

}  // namespace

std::optional<FamilyKind> familyKindNamed(std::string_view name) {
  for (const Named& named : kNames) {
    if (named.name == name) return named.kind;
  }
  return std::nullopt;
}

std::string_view nameOf(FamilyKind kind) {
  for (const Named& named : kNames) {
    if (named.kind == kind) return named.name;
  }
  return kNames[0].name;
}

std::optional<Language> dictionaryLanguage(FamilyKind kind) {
  switch (kind) {
    case FamilyKind::kLemmaFrench:
      return Language::kFrench;
    case FamilyKind::kLemmaEnglish:
      return Language::kEnglish;
    case FamilyKind::kBeginning:
      break;
  }
  return std::nullopt;
}

}  // namespace verbolt
