#include "cli/lsp_code_actions.h"

#include <set>

#include "cli/analyze_output.h"
#include "cli/lsp_diagnostics.h"

namespace verbolt {

namespace {

constexpr std::string_view kOff = "<!-- verbolt off -->";
constexpr std::string_view kOn = "<!-- verbolt on -->";

// The findings that name one word, which a book may choose to skip.
bool namesAWord(std::string_view code) {
  return code == "close-repetition" || code == "distant-repetition" || code == "searched-word";
}

bool isBlankLine(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

std::string jsonText(std::string_view utf8) {
  std::string out;
  appendJsonUtf8String(out, utf8);
  return out;
}

std::string ignoreAction(const std::string& uri, const std::string& word,
                         const LspDiagnosticSeen& diagnostic) {
  const std::string title = "Add " + word + " to this book's ignore list";
  return "{\"title\": " + jsonText(title) + ", \"kind\": \"quickfix\", \"diagnostics\": [" +
         diagnostic.json + "], \"command\": {\"title\": " + jsonText(title) + ", \"command\": \"" +
         kIgnoreWordCommand + "\", \"arguments\": [" + jsonText(uri) + ", " + jsonText(word) +
         "]}}";
}

std::string insertion(LspPosition at, std::string_view text) {
  std::string out = "{\"range\": ";
  appendLspRange(out, {at, at});
  return out + ", \"newText\": " + jsonText(text) + "}";
}

// The paragraph around `line`: the lines up to the blank ones around it.
std::pair<int, int> paragraphOf(const std::vector<std::string_view>& lines, int line) {
  int first = std::min(std::max(line, 0), static_cast<int>(lines.size()) - 1);
  int last = first;
  while (first > 0 && !isBlankLine(lines[static_cast<size_t>(first - 1)])) --first;
  while (last + 1 < static_cast<int>(lines.size()) &&
         !isBlankLine(lines[static_cast<size_t>(last + 1)])) {
    ++last;
  }
  return {first, last};
}

std::string silenceAction(const std::string& uri, const std::vector<std::string_view>& lines,
                          std::pair<int, int> paragraph, const LspDiagnosticSeen& diagnostic) {
  const auto [first, last] = paragraph;
  // After the last line of the text there is no line to stand before.
  const bool lastOfText = last + 1 >= static_cast<int>(lines.size());
  const std::string on = lastOfText
                             ? insertion({last, utf16Length(lines[static_cast<size_t>(last)])},
                                         "\n" + std::string(kOn))
                             : insertion({last + 1, 0}, std::string(kOn) + "\n");
  return "{\"title\": \"Silence this passage\", \"kind\": \"quickfix\", \"diagnostics\": [" +
         diagnostic.json + "], \"edit\": {\"changes\": {" + jsonText(uri) + ": [" +
         insertion({first, 0}, std::string(kOff) + "\n") + ", " + on + "]}}}";
}

}  // namespace

std::string lspCodeActions(const LspDocument& document,
                           const std::vector<LspDiagnosticSeen>& diagnostics) {
  const bool isFile = lspUriPath(document.uri).has_value();
  const std::vector<std::string_view> lines = lspLines(document.text);
  std::set<std::string> words;
  std::set<std::pair<int, int>> paragraphs;
  std::string out = "[";
  auto add = [&out](const std::string& action) {
    if (out.size() > 1) out += ", ";
    out += action;
  };
  for (const LspDiagnosticSeen& diagnostic : diagnostics) {
    if (isFile && namesAWord(diagnostic.code)) {
      const size_t start = byteOffsetOf(document.text, diagnostic.range.start);
      const size_t end = byteOffsetOf(document.text, diagnostic.range.end);
      const std::string word = start < end ? document.text.substr(start, end - start) : "";
      if (!word.empty() && word.find_first_of(" \t\r\n") == std::string::npos &&
          words.insert(word).second) {
        add(ignoreAction(document.uri, word, diagnostic));
      }
    }
    // Unknown comments are not silenced: they are fixed.
    if (document.markdown && !diagnostic.code.empty() && diagnostic.code != "verbolt-comment") {
      const std::pair<int, int> paragraph = paragraphOf(lines, diagnostic.range.start.line);
      if (paragraphs.insert(paragraph).second) {
        add(silenceAction(document.uri, lines, paragraph, diagnostic));
      }
    }
  }
  return out + "]";
}

}  // namespace verbolt
