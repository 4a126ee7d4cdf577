// The quick fixes the language server offers on a finding: add its word to
// the book's .verbolt-ignore, or silence its passage with verbolt comments.
#pragma once

#include <string>
#include <vector>

#include "cli/lsp_document.h"

namespace verbolt {

// The command that adds a word to the ignore file beside a document; its
// arguments are the document's URI and the word.
inline constexpr char kIgnoreWordCommand[] = "verbolt.ignoreWord";

// A diagnostic the editor sends back with a code action request.
struct LspDiagnosticSeen {
  LspRange range;
  std::string code;  // the rule id
  std::string json;  // as it came, to name it in the action
};

// The "CodeAction[]" for `diagnostics` of `document`: for each word a
// repetition or a search found, "Add WORD to this book's ignore list" (for
// a document that is a file); for each Markdown paragraph, "Silence this
// passage", which puts "<!-- verbolt off -->" on a line before it and
// "<!-- verbolt on -->" on a line after it.
std::string lspCodeActions(const LspDocument& document,
                           const std::vector<LspDiagnosticSeen>& diagnostics);

}  // namespace verbolt
