// English forms that no affix rule makes: went (go), mice (mouse),
// children (child), better (good). They come from WordNet's exception
// lists, as Debian installs them (wordnet-base), one form a line followed
// by its dictionary words: "went go".
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace verbolt {

inline constexpr char kIrregularFormsFolder[] = "/usr/share/wordnet";
// Names another folder for the lists, for tests and for a copy of WordNet
// installed elsewhere.
inline constexpr char kIrregularFormsVariable[] = "VERBOLT_WORDNET";

// The lists' files larger than this are not WordNet's: they are skipped.
inline constexpr size_t kMaxIrregularListSize = 4 << 20;

// A form (lowered Windows-1252 bytes) and its dictionary words.
using IrregularForms = std::unordered_map<std::string, std::vector<std::string>>;

// Adds the lines of one exception list to `forms`. Phrases ("brothers-in-law"
// stays, "ate_up" does not), forms that are their own dictionary word and
// words beyond Windows-1252 are left out: the editor's words are single
// Windows-1252 words.
void addIrregularForms(std::string_view list, IrregularForms& forms);

// The folder of the lists: $VERBOLT_WORDNET when set, kIrregularFormsFolder
// otherwise.
std::string irregularFormsFolder();

// The verbs', nouns', adjectives' and adverbs' lists in `folder`, as one
// table; empty when the folder holds none of them.
IrregularForms readIrregularForms(const std::string& folder);

// The Debian package that installs the lists.
inline constexpr char kIrregularFormsPackage[] = "wordnet-base";

}  // namespace verbolt
