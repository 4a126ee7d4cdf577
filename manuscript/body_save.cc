#include "manuscript/body_save.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "manuscript/body_edit.h"
#include "manuscript/document_text.h"
#include "manuscript/docx_body.h"
#include "manuscript/line_diff.h"
#include "manuscript/odt_body.h"
#include "manuscript/paragraph_alignment.h"
#include "manuscript/text_changes.h"
#include "text/utf8.h"

namespace verbolt {

namespace {

// Bytes [begin, end) of document.xml replaced by `with`.
struct Patch {
  size_t begin = 0;
  size_t end = 0;
  std::string with;
};

BodyXmlSave refused(std::string sentence) { return {std::nullopt, std::move(sentence)}; }

std::string lineRefusal(size_t line, const std::string& why) {
  return "Line " + std::to_string(line) + " cannot be saved into the document: " + why + ".";
}

// The first line of the text that XML 1.0 cannot carry, 1-based; 0 when
// there is none.
size_t lineWithControlCharacter(std::string_view text) {
  size_t line = 1;
  for (char c : text) {
    if (c == '\n') ++line;
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 && c != '\n' && c != '\t') return line;
  }
  return 0;
}

// The encoding the part's XML declaration names; empty when it names none.
std::string declaredEncoding(std::string_view xml) {
  if (!xml.starts_with("<?xml")) return {};
  const std::string_view declaration = xml.substr(0, xml.find("?>"));
  const size_t at = declaration.find("encoding");
  if (at == std::string_view::npos) return {};
  const size_t quote = declaration.find_first_of("\"'", at);
  if (quote == std::string_view::npos) return {};
  const size_t end = declaration.find(declaration[quote], quote + 1);
  if (end == std::string_view::npos) return {};
  std::string name(declaration.substr(quote + 1, end - quote - 1));
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// How the text of a changed stretch differs: its common beginning and end,
// cut at character boundaries.
struct CharChange {
  size_t from = 0;
  size_t to = 0;  // in the old text
  std::string_view inserted;
};

CharChange charChange(std::string_view before, std::string_view after) {
  size_t prefix = 0;
  const size_t shorter = std::min(before.size(), after.size());
  while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
  while (prefix > 0 && ((prefix < before.size() && isContinuationByte(before[prefix])) ||
                        (prefix < after.size() && isContinuationByte(after[prefix])))) {
    --prefix;
  }
  size_t suffix = 0;
  while (suffix < shorter - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
    ++suffix;
  }
  while (suffix > 0 && isContinuationByte(before[before.size() - suffix])) --suffix;
  return {prefix, before.size() - suffix, after.substr(prefix, after.size() - suffix - prefix)};
}

DocumentBody parseBody(DocumentDialect dialect, std::string_view xml) {
  return dialect == DocumentDialect::kWord ? parseDocxBody(xml) : parseOdtBody(xml);
}

class BodySave {
 public:
  BodySave(std::string_view xml, const DocumentBody& body, std::string_view edited)
      : m_xml(xml), m_body(body), m_newLines(splitLines(edited)) {
    for (size_t p = 0; p < body.paragraphs.size(); ++p) {
      m_firstLine.push_back(m_oldLines.size());
      for (std::string_view line : splitLines(body.paragraphs[p].text)) {
        m_oldLines.push_back(line);
        m_paragraphOfLine.push_back(p);
      }
    }
    m_firstLine.push_back(m_oldLines.size());
  }

  // The patches, or the refusal in `error`.
  bool plan() {
    for (const LineHunk& hunk : paragraphHunks(diffLines(m_oldLines, m_newLines))) {
      if (!planHunk(hunk)) return false;
    }
    std::stable_sort(m_patches.begin(), m_patches.end(), [](const Patch& a, const Patch& b) {
      return a.begin != b.begin ? a.begin < b.begin : a.end < b.end;
    });
    for (size_t i = 1; i < m_patches.size(); ++i) {
      // Two steps that both rewrite one paragraph: a deletion beside an
      // edit it could not join.
      if (m_patches[i].begin < m_patches[i - 1].end) {
        error =
            "The text cannot be saved into the document: paragraphs deleted beside edited ones "
            "could not be placed; save the deletion and the edits one at a time.";
        return false;
      }
    }
    return true;
  }

  std::string patched() {
    std::string out;
    out.reserve(m_xml.size() + m_xml.size() / 8);
    size_t at = 0;
    for (const Patch& patch : m_patches) {
      out += m_xml.substr(at, patch.begin - at);
      out += patch.with;
      at = patch.end;
    }
    out += m_xml.substr(at);
    return out;
  }

  std::string error;

 private:
  size_t paragraphCount() const { return m_body.paragraphs.size(); }
  const BodyParagraph& paragraph(size_t p) const { return m_body.paragraphs[p]; }

  // The hunks grown to whole paragraphs: a paragraph with line breaks is
  // several lines but one paragraph.
  std::vector<LineHunk> paragraphHunks(const std::vector<LineHunk>& hunks) const {
    std::vector<LineHunk> grown;
    for (LineHunk hunk : hunks) {
      grow(hunk);
      if (!grown.empty() && hunk.oldBegin < grown.back().oldEnd) {
        LineHunk& last = grown.back();
        if (hunk.oldEnd > last.oldEnd) {
          last.newEnd = hunk.newEnd;
          last.oldEnd = hunk.oldEnd;
        } else {
          last.newEnd = hunk.newEnd + (last.oldEnd - hunk.oldEnd);
        }
        continue;
      }
      grown.push_back(hunk);
    }
    return grown;
  }

  void grow(LineHunk& hunk) const {
    const size_t lines = m_oldLines.size();
    const bool inside =
        hunk.oldBegin < lines && m_firstLine[m_paragraphOfLine[hunk.oldBegin]] != hunk.oldBegin;
    if (hunk.oldBegin == hunk.oldEnd && !inside) return;
    const size_t firstParagraph = m_paragraphOfLine[std::min(hunk.oldBegin, lines - 1)];
    const size_t lastParagraph =
        hunk.oldEnd > hunk.oldBegin ? m_paragraphOfLine[hunk.oldEnd - 1] : firstParagraph;
    const size_t before = hunk.oldBegin - m_firstLine[firstParagraph];
    const size_t after = m_firstLine[lastParagraph + 1] - hunk.oldEnd;
    hunk.oldBegin -= before;
    hunk.newBegin -= before;
    hunk.oldEnd += after;
    hunk.newEnd += after;
  }

  bool refuse(size_t line, const std::string& why) {
    error = lineRefusal(std::max<size_t>(line, 1), why);
    return false;
  }

  bool planHunk(const LineHunk& hunk) {
    if (hunk.oldBegin == hunk.oldEnd) return insertParagraphs(hunk);
    const size_t first = m_paragraphOfLine[hunk.oldBegin];
    const size_t end = m_paragraphOfLine[hunk.oldEnd - 1] + 1;
    if (hunk.newBegin == hunk.newEnd) return deleteParagraphs(first, end, hunk.newBegin + 1);
    if (hunk.oldEnd - hunk.oldBegin == hunk.newEnd - hunk.newBegin) {
      size_t line = hunk.newBegin;
      for (size_t p = first; p < end; ++p) {
        const size_t count = m_firstLine[p + 1] - m_firstLine[p];
        if (!editParagraphs(p, p, newText(line, line + count), line)) return false;
        line += count;
      }
      return true;
    }
    return planAligned(hunk, first, end);
  }

  // A stretch where lines were split, joined, added or deleted: each
  // paragraph is rewritten from the lines it became.
  bool planAligned(const LineHunk& hunk, size_t first, size_t end) {
    std::vector<AlignedParagraph> paragraphs;
    for (size_t p = first; p < end; ++p) {
      const bool joins = p + 1 < end && paragraph(p).container == paragraph(p + 1).container;
      paragraphs.push_back({paragraph(p).text, m_firstLine[p + 1] - m_firstLine[p], joins});
    }
    const std::vector<std::string_view> lines(m_newLines.begin() + hunk.newBegin,
                                              m_newLines.begin() + hunk.newEnd);
    for (const AlignedStep& step : alignParagraphs(paragraphs, lines)) {
      const size_t pb = first + step.paragraphBegin, pe = first + step.paragraphEnd;
      const size_t lb = hunk.newBegin + step.lineBegin, le = hunk.newBegin + step.lineEnd;
      bool ok = true;
      if (pb == pe) {
        ok = insertParagraphs({m_firstLine[pb], m_firstLine[pb], lb, le});
      } else if (lb == le) {
        ok = deleteParagraphs(pb, pe, lb + 1);
      } else {
        ok = editParagraphs(pb, pe - 1, newText(lb, le), lb);
      }
      if (!ok) return false;
    }
    return true;
  }

  std::string_view newText(size_t begin, size_t end) const {
    const char* start = m_newLines[begin].data();
    const char* stop = m_newLines[end - 1].data() + m_newLines[end - 1].size();
    return std::string_view(start, static_cast<size_t>(stop - start));
  }

  std::string_view oldText(size_t first, size_t last, std::string& buffer) const {
    if (first == last) return paragraph(first).text;
    for (size_t p = first; p <= last; ++p) {
      if (p > first) buffer += '\n';
      buffer += paragraph(p).text;
    }
    return buffer;
  }

  // Paragraphs first..last, whose text is now `after`; `line` is the
  // 0-based line of the new text where they start.
  bool editParagraphs(size_t first, size_t last, std::string_view after, size_t line) {
    std::string buffer;
    const std::string_view before = oldText(first, last, buffer);
    if (before == after) return true;
    if (first == last && isPlain(paragraph(first))) {
      const std::vector<TextChange> changes = textChanges(before, after);
      if (changes.size() > 1) return editInPlaces(first, changes, after, line);
    }
    const CharChange change = charChange(before, after);
    BodyEdit edit;
    edit.inserted = change.inserted;
    locate(first, last, change.from, edit.firstParagraph, edit.from);
    locate(first, last, change.to, edit.lastParagraph, edit.to);
    const size_t editLine = line + 1 + std::count(after.begin(), after.begin() + change.from, '\n');
    return apply(edit, editLine);
  }

  // A paragraph whose pieces owe nothing to the paragraphs around it: it
  // can be read again on its own.
  bool isPlain(const BodyParagraph& p) const {
    if (p.guard != EditGuard::kNone || p.markGuard != EditGuard::kNone) return false;
    for (const BodyPiece& piece : p.pieces) {
      if (piece.guard != EditGuard::kNone) return false;
    }
    return true;
  }

  // Several changes in one paragraph, the last first so that the offsets
  // of the others still hold: the paragraph is read again after each.
  bool editInPlaces(size_t p, const std::vector<TextChange>& changes, std::string_view after,
                    size_t line) {
    std::string open, close;
    frameForOneParagraph(p, open, close);
    std::string fragment(paragraph(p).xml.of(m_xml));
    for (auto change = changes.rbegin(); change != changes.rend(); ++change) {
      const std::string document = open + fragment + close;
      const DocumentBody body = parseBody(m_body.dialect, document);
      if (!body.error.empty() || body.paragraphs.empty()) {
        error =
            "The text cannot be saved into the document: a paragraph it rewrote cannot be read "
            "again (" +
            body.error + ").";
        return false;
      }
      const BodyEdit edit{0, change->from, 0, change->to, change->inserted, false};
      const BodyEditOutcome outcome = applyBodyEdit(document, body, edit);
      const size_t editLine =
          line + 1 + std::count(after.begin(), after.begin() + change->from, '\n');
      if (!outcome.refusal.empty()) return refuse(editLine, outcome.refusal);
      const ByteRange first = body.paragraphs[0].xml;
      fragment = document.substr(open.size(), first.begin - open.size()) + outcome.xml +
                 document.substr(first.end, document.size() - close.size() - first.end);
    }
    m_patches.push_back({paragraph(p).xml.begin, paragraph(p).xml.end, std::move(fragment)});
    return true;
  }

  // A document of one paragraph: the root element, and the body elements
  // that the reader looks for.
  void frameForOneParagraph(size_t p, std::string& open, std::string& close) const {
    open = rootStartTag();
    close = "</" + rootName() + ">";
    if (m_body.dialect == DocumentDialect::kWord) {
      const std::string prefix = paragraphPrefix(p);
      open += "<" + prefix + "body>";
      close.insert(0, "</" + prefix + "body>");
      return;
    }
    const std::string root = rootName();
    const std::string office = root.substr(0, root.find(':') + 1);
    open += "<" + office + "body><" + office + "text>";
    close.insert(0, "</" + office + "text></" + office + "body>");
  }

  std::string paragraphPrefix(size_t p) const {
    const std::string_view tag = paragraph(p).startTag.of(m_xml);
    const size_t colon = tag.find(':');
    const size_t nameEnd = tag.find_first_of(" \t\r\n/>", 1);
    return colon < nameEnd ? std::string(tag.substr(1, colon)) : std::string();
  }

  // The document element's start tag, which declares the namespaces a
  // paragraph read on its own needs.
  std::string_view rootStartTag() const {
    size_t at = m_xml.find('<');
    while (at != std::string_view::npos && at + 1 < m_xml.size() &&
           (m_xml[at + 1] == '?' || m_xml[at + 1] == '!')) {
      at = m_xml.find('<', at + 1);
    }
    if (at == std::string_view::npos) return {};
    const size_t end = m_xml.find('>', at);
    return end == std::string_view::npos ? std::string_view() : m_xml.substr(at, end + 1 - at);
  }

  std::string rootName() const {
    const std::string_view tag = rootStartTag();
    if (tag.size() < 2) return {};
    return std::string(tag.substr(1, tag.find_first_of(" \t\r\n/>", 1) - 1));
  }

  // The paragraph and offset of position `at` of paragraphs first..last
  // joined by "\n".
  void locate(size_t first, size_t last, size_t at, size_t& paragraphIndex, size_t& offset) const {
    for (size_t p = first; p <= last; ++p) {
      const size_t size = paragraph(p).text.size();
      if (at <= size || p == last) {
        paragraphIndex = p;
        offset = std::min(at, size);
        return;
      }
      at -= size + 1;
    }
  }

  bool apply(const BodyEdit& edit, size_t line) {
    const BodyEditOutcome outcome = applyBodyEdit(m_xml, m_body, edit);
    if (!outcome.refusal.empty()) return refuse(line, outcome.refusal);
    const size_t frame = edit.keepLastFrame ? edit.lastParagraph : edit.firstParagraph;
    for (size_t p = edit.firstParagraph; p <= edit.lastParagraph; ++p) {
      const ByteRange range = paragraph(p).xml;
      m_patches.push_back({range.begin, range.end, p == frame ? outcome.xml : std::string()});
    }
    return true;
  }

  // New lines [newBegin, newEnd) between paragraphs: after the paragraph
  // before them, like it.
  bool insertParagraphs(const LineHunk& hunk) {
    const size_t before =
        hunk.oldBegin < m_oldLines.size() ? m_paragraphOfLine[hunk.oldBegin] : paragraphCount();
    if (paragraphCount() == 0) return refuse(1, "the document has no paragraph to write into");
    const bool atStart = before == 0;
    const BodyParagraph& like = paragraph(atStart ? 0 : before - 1);
    if (like.guard != EditGuard::kNone) return refuse(hunk.newBegin + 1, guardReason(like.guard));
    if (!atStart && like.markGuard != EditGuard::kNone) {
      return refuse(hunk.newBegin + 1, guardReason(like.markGuard));
    }
    std::string xml;
    for (size_t l = hunk.newBegin; l < hunk.newEnd; ++l) {
      xml += newBodyParagraph(m_xml, m_body.dialect, like, atStart, m_newLines[l]);
    }
    const size_t at = atStart ? like.xml.begin : like.xml.end;
    m_patches.push_back({at, at, std::move(xml)});
    return true;
  }

  // Paragraphs [first, end) deleted whole: joined to the paragraph before
  // them (or after them), so that what they hold besides text stays.
  bool deleteParagraphs(size_t first, size_t end, size_t line) {
    for (size_t p = first; p < end; ++p) {
      const BodyParagraph& gone = paragraph(p);
      if (gone.guard != EditGuard::kNone) return refuse(line, guardReason(gone.guard));
      if (gone.markGuard != EditGuard::kNone) return refuse(line, guardReason(gone.markGuard));
      for (const BodyPiece& piece : gone.pieces) {
        if (piece.guard != EditGuard::kNone) return refuse(line, guardReason(piece.guard));
      }
    }
    // A paragraph that cannot take them (a section's last) leaves them to
    // the next way.
    if (first > 0 && canJoin(first - 1, end)) {
      const BodyEdit edit{first - 1, paragraph(first - 1).text.size(),
                          end - 1,   paragraph(end - 1).text.size(),
                          {},        false};
      if (apply(edit, line)) return true;
    }
    if (end < paragraphCount() && canJoin(first, end + 1)) {
      if (apply({first, 0, end, 0, {}, true}, line)) return true;
    }
    error.clear();
    if (emptiesACell(first, end)) return refuse(line, "it would leave a table cell empty");
    for (size_t p = first; p < end; ++p) {
      if (!paragraph(p).sectionProperties.empty()) {
        return refuse(line, "it would remove a section break");
      }
      m_patches.push_back({paragraph(p).removal.begin, paragraph(p).removal.end, {}});
    }
    return true;
  }

  bool canJoin(size_t first, size_t end) const {
    for (size_t p = first; p < end; ++p) {
      if (paragraph(p).guard != EditGuard::kNone ||
          paragraph(p).container != paragraph(first).container) {
        return false;
      }
    }
    return true;
  }

  bool emptiesACell(size_t first, size_t end) const {
    for (size_t p = first; p < end; ++p) {
      if (!paragraph(p).inTableCell) continue;
      const int cell = paragraph(p).container;
      const bool keepsOne = (p > 0 && p == first && paragraph(p - 1).container == cell) ||
                            (end < paragraphCount() && paragraph(end).container == cell);
      if (!keepsOne) return true;
    }
    return false;
  }

  std::string_view m_xml;
  const DocumentBody& m_body;
  std::vector<std::string_view> m_oldLines;
  std::vector<size_t> m_paragraphOfLine;
  std::vector<size_t> m_firstLine;  // of each paragraph, and one past the last line
  std::vector<std::string_view> m_newLines;
  std::vector<Patch> m_patches;
};

std::string readBack(DocumentDialect dialect, std::string_view xml, bool& ok) {
  DocumentTextParser parser(dialect, xml.size() + 1);
  ok = parser.feed(xml) && parser.finish();
  return parser.takeText();
}

}  // namespace

BodyXmlSave saveIntoBodyXml(DocumentDialect dialect, std::string_view documentXml,
                            std::string_view editedUtf8) {
  if (!isValidUtf8(editedUtf8)) return refused("The text cannot be saved: it is not valid UTF-8.");
  if (const size_t line = lineWithControlCharacter(editedUtf8)) {
    return refused(lineRefusal(line, "it holds a control character a document cannot hold"));
  }
  if (const std::string encoding = declaredEncoding(documentXml);
      !encoding.empty() && encoding != "utf-8" && encoding != "utf8") {
    return refused("The document cannot be saved into: its body is written in " + encoding +
                   ", and only bodies written in UTF-8 are saved into.");
  }
  const DocumentBody body = parseBody(dialect, documentXml);
  if (!body.error.empty()) {
    const char* part = dialect == DocumentDialect::kWord ? "word/document.xml" : "body";
    return refused(std::string("The document's ") + part + " is damaged (" + body.error + ").");
  }
  if (bodyText(body) == editedUtf8) return {std::string(documentXml), {}};
  BodySave save(documentXml, body, editedUtf8);
  if (!save.plan()) return refused(save.error);
  std::string xml = save.patched();
  bool ok = false;
  // The last guard: what is written must read back as what was typed.
  if (readBack(dialect, xml, ok) != editedUtf8 || !ok) {
    return refused(
        "The text cannot be saved into the document: its rewritten body would not read back as "
        "the edited text.");
  }
  return {std::move(xml), {}};
}

}  // namespace verbolt
