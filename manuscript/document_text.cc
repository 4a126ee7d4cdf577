#include "manuscript/document_text.h"

#include <expat.h>

#include <charconv>
#include <cstdint>

namespace verbolt {

namespace {

// Element names arrive as namespace URI, this separator, local name: the
// prefixes (text:, w:) are the writer's choice and mean nothing.
constexpr char kNamespaceSeparator = ' ';

constexpr std::string_view kOdfText = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
constexpr std::string_view kOdfOffice = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
constexpr std::string_view kOdfSvg = "urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0";
constexpr std::string_view kWordMain =
    "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr std::string_view kWordStrict = "http://purl.oclc.org/ooxml/wordprocessingml/main";
constexpr std::string_view kMarkupCompatibility =
    "http://schemas.openxmlformats.org/markup-compatibility/2006";

struct Name {
  std::string_view space;
  std::string_view local;
};

Name splitName(const XML_Char* name) {
  std::string_view full(name);
  const size_t separator = full.rfind(kNamespaceSeparator);
  if (separator == std::string_view::npos) return {{}, full};
  return {full.substr(0, separator), full.substr(separator + 1)};
}

std::string_view attribute(const XML_Char** attributes, std::string_view space,
                           std::string_view local) {
  for (size_t i = 0; attributes[i]; i += 2) {
    const Name name = splitName(attributes[i]);
    if (name.space == space && name.local == local) return attributes[i + 1];
  }
  return {};
}

bool isWordNamespace(std::string_view space) { return space == kWordMain || space == kWordStrict; }

}  // namespace

struct DocumentTextParser::State {
  DocumentDialect dialect;
  size_t maxTextSize;
  size_t maxLineSize;
  XML_Parser parser = nullptr;
  uint64_t fed = 0;     // bytes given to the parser so far
  std::string pending;  // bytes held back until there are enough
  std::string text;
  std::string error;
  bool tooLarge = false;
  bool lineTooLong = false;
  size_t shownLineStart = 0;  // of the line the editor will show

  int depth = 0;
  int skipDepth = 0;  // inside an element whose text is left out
  int bodyDepth = 0;
  int paragraphDepth = 0;
  int runDepth = 0;
  bool inWordText = false;
  size_t lineStart = 0;
  // OpenDocument collapses a run of spaces in its character data to one.
  bool lastWasCollapsedSpace = false;

  bool collecting() const { return skipDepth == 0 && bodyDepth > 0 && paragraphDepth > 0; }

  void stop(std::string why) {
    error = std::move(why);
    XML_StopParser(parser, XML_FALSE);
  }

  bool roomFor(size_t bytes) {
    if (text.size() + bytes <= maxTextSize) return true;
    tooLarge = true;
    stop("the text is too large");
    return false;
  }

  // Whether the editor's current line may grow by `bytes`.
  bool lineRoomFor(size_t bytes) {
    if (text.size() - shownLineStart + bytes <= maxLineSize) return true;
    lineTooLong = true;
    stop("a line is too long");
    return false;
  }

  void append(std::string_view bytes) {
    if (!roomFor(bytes.size())) return;
    text += bytes;
    lastWasCollapsedSpace = false;
    if (bytes == "\n") {
      shownLineStart = text.size();
    } else {
      lineRoomFor(0);
    }
  }

  void appendRepeated(char c, size_t count) {
    if (!lineRoomFor(count) || !roomFor(count)) return;
    text.append(count, c);
    lastWasCollapsedSpace = false;
  }

  void startParagraph() {
    // A paragraph inside another (a text box) starts a line of its own.
    if (paragraphDepth > 0 && text.size() > lineStart) endLine();
    ++paragraphDepth;
    lastWasCollapsedSpace = false;
  }

  void endParagraph() {
    --paragraphDepth;
    endLine();
  }

  void endLine() {
    append("\n");
    lineStart = text.size();
  }

  bool isSkippedOpenDocument(Name name) const {
    if (name.space == kOdfText) {
      return name.local == "note" || name.local == "tracked-changes" ||
             name.local.ends_with("-source");
    }
    if (name.space == kOdfOffice) return name.local == "annotation";
    return name.space == kOdfSvg && (name.local == "title" || name.local == "desc");
  }

  bool isSkippedWord(Name name) const {
    if (name.space == kMarkupCompatibility) return name.local == "Fallback";
    return isWordNamespace(name.space) && (name.local == "del" || name.local == "moveFrom");
  }

  void startOpenDocument(Name name, const XML_Char** attributes) {
    if (name.space == kOdfOffice && name.local == "body") ++bodyDepth;
    if (name.space != kOdfText || !(bodyDepth > 0 && skipDepth == 0)) return;
    if (name.local == "p" || name.local == "h") {
      startParagraph();
    } else if (!collecting()) {
      return;
    } else if (name.local == "s") {
      appendSpaces(attribute(attributes, kOdfText, "c"));
    } else if (name.local == "tab") {
      append("\t");
    } else if (name.local == "line-break") {
      append("\n");
    }
  }

  void appendSpaces(std::string_view countText) {
    size_t count = 1;
    if (!countText.empty()) {
      std::from_chars(countText.data(), countText.data() + countText.size(), count);
      // A huge count is refused by roomFor before anything is allocated.
      if (count > maxTextSize) count = maxTextSize + 1;
    }
    appendRepeated(' ', count);
  }

  void endOpenDocument(Name name) {
    if (name.space == kOdfOffice && name.local == "body") --bodyDepth;
    if (name.space == kOdfText && (name.local == "p" || name.local == "h") && paragraphDepth > 0 &&
        bodyDepth > 0) {
      endParagraph();
    }
  }

  void startWord(Name name, const XML_Char** attributes) {
    if (!isWordNamespace(name.space)) return;
    if (name.local == "body") ++bodyDepth;
    if (!(bodyDepth > 0 && skipDepth == 0)) return;
    if (name.local == "p") {
      startParagraph();
    } else if (name.local == "r") {
      ++runDepth;
    } else if (name.local == "t") {
      inWordText = true;
    } else if (!collecting() || runDepth == 0) {
      return;
    } else if (name.local == "tab") {
      append("\t");
    } else if (name.local == "br") {
      // Page and column breaks move the text on the page, not in the line.
      const std::string_view type = attribute(attributes, name.space, "type");
      if (type != "page" && type != "column") append("\n");
    } else if (name.local == "cr") {
      append("\n");
    } else if (name.local == "noBreakHyphen") {
      append("\u2011");
    } else if (name.local == "softHyphen") {
      append("\u00AD");
    }
  }

  void endWord(Name name) {
    if (!isWordNamespace(name.space)) return;
    if (name.local == "body") --bodyDepth;
    if (bodyDepth == 0 || skipDepth > 0) return;
    if (name.local == "p" && paragraphDepth > 0) {
      endParagraph();
    } else if (name.local == "r" && runDepth > 0) {
      --runDepth;
    } else if (name.local == "t") {
      inWordText = false;
    }
  }

  void start(const XML_Char* rawName, const XML_Char** attributes) {
    if (++depth > kMaxXmlDepth) {
      stop(kTooDeep);
      return;
    }
    const Name name = splitName(rawName);
    const bool skipped = dialect == DocumentDialect::kOpenDocument ? isSkippedOpenDocument(name)
                                                                   : isSkippedWord(name);
    if (skipDepth > 0 || skipped) {
      ++skipDepth;
      return;
    }
    if (dialect == DocumentDialect::kOpenDocument) {
      startOpenDocument(name, attributes);
    } else {
      startWord(name, attributes);
    }
  }

  void end(const XML_Char* rawName) {
    --depth;
    if (skipDepth > 0) {
      --skipDepth;
      return;
    }
    if (dialect == DocumentDialect::kOpenDocument) {
      endOpenDocument(splitName(rawName));
    } else {
      endWord(splitName(rawName));
    }
  }

  void characters(std::string_view data) {
    if (!collecting()) return;
    if (dialect == DocumentDialect::kWord) {
      if (inWordText) appendWordText(data);
    } else {
      appendCollapsed(data);
    }
  }

  // Word shows white space inside w:t as spaces.
  void appendWordText(std::string_view data) {
    if (!roomFor(data.size())) return;
    for (char c : data) text += (c == '\t' || c == '\n' || c == '\r') ? ' ' : c;
    lineRoomFor(0);
  }

  // OpenDocument turns tab, line feed and carriage return in its character
  // data into spaces and keeps only the first of a run, none at the start
  // of a paragraph: the spaces that count are written as text:s.
  void appendCollapsed(std::string_view data) {
    if (!roomFor(data.size())) return;
    for (char c : data) {
      const bool space = c == ' ' || c == '\t' || c == '\n' || c == '\r';
      if (!space) {
        text += c;
        lastWasCollapsedSpace = false;
      } else if (!lastWasCollapsedSpace && text.size() > lineStart) {
        text += ' ';
        lastWasCollapsedSpace = true;
      }
    }
    lineRoomFor(0);
  }
};

namespace {

using State = DocumentTextParser::State;

void onStart(void* data, const XML_Char* name, const XML_Char** attributes) {
  static_cast<State*>(data)->start(name, attributes);
}

void onEnd(void* data, const XML_Char* name) { static_cast<State*>(data)->end(name); }

void onCharacters(void* data, const XML_Char* text, int length) {
  static_cast<State*>(data)->characters(std::string_view(text, static_cast<size_t>(length)));
}

// A document part never declares a DTD; one that does is refused before any
// of its entities can be expanded.
void onDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
  static_cast<State*>(data)->stop("it declares a document type");
}

}  // namespace

DocumentTextParser::DocumentTextParser(DocumentDialect dialect, size_t maxTextSize,
                                       size_t maxLineSize)
    : m_state(std::make_unique<State>()) {
  m_state->dialect = dialect;
  m_state->maxTextSize = maxTextSize;
  m_state->maxLineSize = maxLineSize;
  // No encoding is forced: a part may declare ISO-8859-1 or UTF-16, which
  // the parser turns into UTF-8 like the rest.
  m_state->parser = XML_ParserCreateNS(nullptr, kNamespaceSeparator);
  XML_SetUserData(m_state->parser, m_state.get());
  XML_SetElementHandler(m_state->parser, onStart, onEnd);
  XML_SetCharacterDataHandler(m_state->parser, onCharacters);
  XML_SetStartDoctypeDeclHandler(m_state->parser, onDoctype);
}

DocumentTextParser::~DocumentTextParser() { XML_ParserFree(m_state->parser); }

namespace {

bool parse(State& state, std::string_view chunk, bool final) {
  if (!state.error.empty()) return false;
  if (XML_Parse(state.parser, chunk.data(), static_cast<int>(chunk.size()), final) ==
      XML_STATUS_OK) {
    return true;
  }
  if (state.error.empty()) {
    state.error = std::string(XML_ErrorString(XML_GetErrorCode(state.parser))) + " at line " +
                  std::to_string(XML_GetCurrentLineNumber(state.parser));
  }
  return false;
}

}  // namespace

namespace {

bool parseInPieces(State& state, std::string_view bytes) {
  // Pieces stay far below INT_MAX.
  constexpr size_t kMaxPiece = 1 << 30;
  while (!bytes.empty()) {
    const std::string_view piece = bytes.substr(0, kMaxPiece);
    if (!parse(state, piece, false)) return false;
    state.fed += piece.size();
    bytes.remove_prefix(piece.size());
  }
  return true;
}

// The bytes the parser holds unparsed: an element, attribute or comment
// that has not ended yet. Each call scans them again from their start.
uint64_t heldByParser(const State& state) {
  const XML_Index at = XML_GetCurrentByteIndex(state.parser);
  return at < 0 || static_cast<uint64_t>(at) > state.fed ? 0 : state.fed - at;
}

}  // namespace

// A token longer than the chunks (a 25 MB attribute or comment) would be
// scanned again at every chunk, quadratic in its length: bytes are held
// back until they are at least as many as the parser holds, so that the
// scans add up to twice the input at most.
bool DocumentTextParser::feed(std::string_view chunk) {
  State& state = *m_state;
  if (!state.error.empty()) return false;
  if (state.pending.empty() && chunk.size() >= heldByParser(state)) {
    return parseInPieces(state, chunk);
  }
  state.pending += chunk;
  if (state.pending.size() < heldByParser(state)) return true;
  const bool ok = parseInPieces(state, state.pending);
  state.pending.clear();
  return ok;
}

bool DocumentTextParser::finish() {
  State& state = *m_state;
  if (!state.pending.empty()) {
    const std::string pending = std::move(state.pending);
    state.pending.clear();
    if (!parseInPieces(state, pending)) return false;
  }
  return parse(state, {}, true);
}

bool DocumentTextParser::tooLarge() const { return m_state->tooLarge; }

bool DocumentTextParser::lineTooLong() const { return m_state->lineTooLong; }

const std::string& DocumentTextParser::error() const { return m_state->error; }

std::string DocumentTextParser::takeText() {
  std::string& text = m_state->text;
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return std::move(text);
}

}  // namespace verbolt
