#include "manuscript/body_edit.h"

#include <algorithm>
#include <optional>

#include "text/xml_text.h"

namespace verbolt {

namespace {

constexpr size_t kNone = static_cast<size_t>(-1);

// One thing an output paragraph shows: a piece of the body, whole or
// partly, or typed text with the formatting of a run.
struct Item {
  size_t paragraph = kNone;  // of the piece, or of the style run
  size_t piece = kNone;      // kNone for typed text
  size_t begin = 0;          // the part of the piece's text kept
  size_t end = 0;
  std::string_view typed;
  int styleRun = -1;  // the run whose formatting typed text takes
};

Item pieceItem(size_t paragraph, size_t piece, size_t begin, size_t end) {
  Item item;
  item.paragraph = paragraph;
  item.piece = piece;
  item.begin = begin;
  item.end = end;
  return item;
}

struct OutParagraph {
  size_t frame = kNone;  // the paragraph whose start tag it keeps; kNone for a new one
  size_t propertiesOf = 0;
  bool withSection = true;
  std::vector<Item> items;
};

bool showsText(const BodyPiece& piece) { return piece.textEnd > piece.textBegin; }

bool inRun(const BodyPiece& piece) {
  return piece.kind == PieceKind::kText || piece.kind == PieceKind::kSymbol ||
         piece.kind == PieceKind::kRunExtra;
}

// The name of the element a start tag opens: "w:p", "text:h".
std::string_view elementName(std::string_view startTag) {
  if (startTag.size() < 2) return {};
  const size_t end = startTag.find_first_of(" \t\r\n/>", 1);
  return startTag.substr(1, end == std::string_view::npos ? std::string_view::npos : end - 1);
}

// The prefix of the document's paragraph elements, from a paragraph's
// start tag: "w:" for <w:p>, "text:" for <text:p>.
std::string prefixOf(std::string_view startTag) {
  const std::string_view name = elementName(startTag);
  const size_t colon = name.find(':');
  return colon == std::string_view::npos ? std::string() : std::string(name.substr(0, colon + 1));
}

// A start tag without its identifiers, for a new element made like it:
// two paragraphs may not carry one xml:id.
std::string withoutIds(std::string_view tag) {
  std::string out(tag);
  for (size_t at = 0; (at = out.find(":id=", at)) != std::string::npos;) {
    const size_t nameStart = out.find_last_of(" \t\r\n", at) + 1;
    const char quote = out[at + 4];
    const size_t valueEnd = out.find(quote, at + 5);
    if (nameStart == 0 || valueEnd == std::string::npos) break;
    out.erase(nameStart - 1, valueEnd + 1 - (nameStart - 1));
    at = nameStart - 1;
  }
  return out;
}

std::string openingOf(std::string_view startTag) {
  std::string tag(startTag);
  if (tag.ends_with("/>")) tag.erase(tag.size() - 2, 1);
  return tag;
}

std::string closingOf(std::string_view startTag) {
  return "</" + std::string(elementName(startTag)) + ">";
}

// Writes the characters of runs in the dialect's markup: Word's as w:t
// elements, OpenDocument's as character data where runs of spaces, and
// spaces the reader would drop, are text:s.
class TextWriter {
 public:
  TextWriter(DocumentDialect dialect, std::string prefix)
      : m_dialect(dialect), m_prefix(std::move(prefix)) {}

  void text(std::string& xml, std::string_view shown) {
    for (char c : shown) {
      if (c == '\t') {
        flush(xml);
        element(xml, "tab");
      } else if (c == '\n') {
        flush(xml);
        element(xml, m_dialect == DocumentDialect::kWord ? "br" : "line-break");
      } else {
        m_pending += c;
      }
    }
  }

  // An element copied as it is: what it shows, if anything, is not known
  // to end in a letter.
  void copied(std::string& xml, std::string_view element, bool shows) {
    flush(xml);
    xml += element;
    if (shows) m_afterLetter = false;
  }

  void flush(std::string& xml) {
    if (m_pending.empty()) return;
    if (m_dialect == DocumentDialect::kWord) {
      flushWord(xml);
    } else {
      flushOpenDocument(xml);
    }
    m_pending.clear();
  }

 private:
  void element(std::string& xml, const char* local) {
    xml += "<" + m_prefix + local + "/>";
    m_afterLetter = false;
  }

  void flushWord(std::string& xml) {
    // Without it, Word drops the spaces at either end of the element.
    const bool preserve = m_pending.front() == ' ' || m_pending.back() == ' ';
    xml += "<" + m_prefix + "t" + (preserve ? " xml:space=\"preserve\">" : ">");
    appendXmlText(xml, m_pending);
    xml += "</" + m_prefix + "t>";
  }

  // A space is written as itself only between two letters of this text:
  // after anything else the reader could drop it, and at the end it could
  // meet another.
  void flushOpenDocument(std::string& xml) {
    const std::string_view text = m_pending;
    for (size_t i = 0; i < text.size();) {
      if (text[i] != ' ') {
        const size_t end = std::min(text.find(' ', i), text.size());
        appendXmlText(xml, text.substr(i, end - i));
        m_afterLetter = true;
        i = end;
        continue;
      }
      size_t end = text.find_first_not_of(' ', i);
      if (end == std::string_view::npos) end = text.size();
      if (end - i == 1 && m_afterLetter && end < text.size()) {
        xml += ' ';
      } else {
        xml += "<" + m_prefix + "s";
        if (end - i > 1) xml += " " + m_prefix + "c=\"" + std::to_string(end - i) + "\"";
        xml += "/>";
      }
      m_afterLetter = false;
      i = end;
    }
  }

  DocumentDialect m_dialect;
  std::string m_prefix;
  std::string m_pending;
  bool m_afterLetter = false;
};

std::string_view propertiesWithoutSection(std::string_view xml, const BodyParagraph& paragraph,
                                          std::string& buffer) {
  const std::string_view properties = paragraph.properties.of(xml);
  if (paragraph.sectionProperties.empty()) return properties;
  buffer = std::string(xml.substr(paragraph.properties.begin,
                                  paragraph.sectionProperties.begin - paragraph.properties.begin));
  buffer += xml.substr(paragraph.sectionProperties.end,
                       paragraph.properties.end - paragraph.sectionProperties.end);
  return buffer;
}

// The start of a new paragraph like `like`: its properties, with or
// without its section break.
std::string newParagraphStart(std::string_view xml, DocumentDialect dialect,
                              const BodyParagraph& like, bool withSection) {
  const std::string_view tag = like.startTag.of(xml);
  if (dialect == DocumentDialect::kOpenDocument) return openingOf(withoutIds(tag));
  std::string buffer;
  return "<" + prefixOf(tag) + "p>" +
         std::string(withSection ? like.properties.of(xml)
                                 : propertiesWithoutSection(xml, like, buffer));
}

// A run's start and end tags around text written anew; none for
// OpenDocument's text straight inside its paragraph.
std::string runStart(std::string_view xml, DocumentDialect dialect, const std::string& prefix,
                     const BodyRun* run) {
  if (dialect == DocumentDialect::kOpenDocument) {
    return run && !run->properties.empty() ? openingOf(run->properties.of(xml)) : std::string();
  }
  return "<" + prefix + "r>" + std::string(run ? run->properties.of(xml) : std::string_view());
}

std::string runEnd(std::string_view xml, DocumentDialect dialect, const std::string& prefix,
                   const BodyRun* run) {
  if (dialect == DocumentDialect::kOpenDocument) {
    return run && !run->properties.empty() ? closingOf(run->properties.of(xml)) : std::string();
  }
  return "</" + prefix + "r>";
}

// Writes runs and the pieces between them.
class ParagraphWriter {
 public:
  ParagraphWriter(std::string_view xml, const DocumentBody& body, std::string prefix)
      : m_xml(xml), m_body(body), m_prefix(std::move(prefix)) {}

  std::string write(const OutParagraph& out) {
    if (out.frame != kNone && isWholeParagraph(out)) {
      return std::string(m_body.paragraphs[out.frame].xml.of(m_xml));
    }
    const BodyParagraph& source = m_body.paragraphs[out.propertiesOf];
    const BodyParagraph& opener = out.frame == kNone ? source : m_body.paragraphs[out.frame];
    std::string xml;
    if (out.frame == kNone) {
      xml = newParagraphStart(m_xml, m_body.dialect, source, out.withSection);
    } else {
      xml = openingOf(opener.startTag.of(m_xml));
      std::string buffer;
      xml += out.withSection ? source.properties.of(m_xml)
                             : propertiesWithoutSection(m_xml, source, buffer);
    }
    TextWriter text(m_body.dialect, m_prefix);
    writeItems(xml, text, out.items);
    return xml + closingOf(opener.startTag.of(m_xml));
  }

 private:
  bool isWholeItem(const Item& item) const {
    if (item.piece == kNone) return false;
    const BodyPiece& piece = m_body.paragraphs[item.paragraph].pieces[item.piece];
    return item.begin == piece.textBegin && item.end == piece.textEnd;
  }

  bool isWholeParagraph(const OutParagraph& out) const {
    const BodyParagraph& paragraph = m_body.paragraphs[out.frame];
    if (out.propertiesOf != out.frame ||
        !(out.withSection || paragraph.sectionProperties.empty()) ||
        out.items.size() != paragraph.pieces.size()) {
      return false;
    }
    for (size_t i = 0; i < out.items.size(); ++i) {
      const Item& item = out.items[i];
      if (item.paragraph != out.frame || item.piece != i || !isWholeItem(item)) return false;
    }
    return true;
  }

  const BodyPiece* pieceOf(const Item& item) const {
    return item.piece == kNone ? nullptr : &m_body.paragraphs[item.paragraph].pieces[item.piece];
  }

  bool isRunItem(const Item& item) const {
    const BodyPiece* piece = pieceOf(item);
    return !piece || inRun(*piece);
  }

  std::pair<size_t, int> runOf(const Item& item) const {
    const BodyPiece* piece = pieceOf(item);
    return {item.paragraph, piece ? piece->run : item.styleRun};
  }

  void writeItems(std::string& xml, TextWriter& text, const std::vector<Item>& items) {
    for (size_t i = 0; i < items.size();) {
      if (!isRunItem(items[i])) {
        const BodyPiece& piece = *pieceOf(items[i]);
        text.copied(xml, piece.xml.of(m_xml), showsText(piece));
        ++i;
        continue;
      }
      size_t j = i + 1;
      while (j < items.size() && isRunItem(items[j]) && runOf(items[j]) == runOf(items[i])) ++j;
      writeRun(xml, text, items, i, j);
      i = j;
    }
  }

  // Whether items [i, j) are all the pieces of their run, whole, in order.
  // OpenDocument's runs are always written anew: how their spaces read
  // depends on the text before them.
  bool isWholeRun(const std::vector<Item>& items, size_t i, size_t j) const {
    const auto [paragraphIndex, run] = runOf(items[i]);
    if (run < 0 || m_body.dialect != DocumentDialect::kWord) return false;
    const BodyRun& source = m_body.paragraphs[paragraphIndex].runs[run];
    if (source.pieceCount != j - i) return false;
    for (size_t k = i; k < j; ++k) {
      if (items[k].piece != source.firstPiece + (k - i) || !isWholeItem(items[k])) return false;
    }
    return true;
  }

  void writeRun(std::string& xml, TextWriter& text, const std::vector<Item>& items, size_t i,
                size_t j) {
    const auto [paragraphIndex, run] = runOf(items[i]);
    const BodyParagraph& paragraph = m_body.paragraphs[paragraphIndex];
    if (isWholeRun(items, i, j)) {
      text.copied(xml, paragraph.runs[run].xml.of(m_xml), true);
      return;
    }
    const BodyRun* source = run >= 0 ? &paragraph.runs[run] : nullptr;
    text.flush(xml);
    xml += runStart(m_xml, m_body.dialect, m_prefix, source);
    for (size_t k = i; k < j; ++k) {
      const BodyPiece* piece = pieceOf(items[k]);
      if (!piece) {
        text.text(xml, items[k].typed);
      } else if (piece->kind == PieceKind::kText) {
        text.text(
            xml,
            std::string_view(paragraph.text).substr(items[k].begin, items[k].end - items[k].begin));
      } else {
        text.copied(xml, piece->xml.of(m_xml), showsText(*piece));
      }
    }
    text.flush(xml);
    xml += runEnd(m_xml, m_body.dialect, m_prefix, source);
  }

  std::string_view m_xml;
  const DocumentBody& m_body;
  std::string m_prefix;
};

}  // namespace

std::string guardReason(EditGuard guard) {
  switch (guard) {
    case EditGuard::kTrackedChange:
      return "it touches a tracked change, which must be accepted or rejected in a word "
             "processor first";
    case EditGuard::kField:
      return "it touches a field (a page number, a date, a cross-reference), whose text the "
             "word processor computes";
    case EditGuard::kContentControl:
      return "it touches a content control";
    case EditGuard::kTextBox:
      return "its paragraph holds a text box";
    case EditGuard::kHyperlink:
      return "it touches the text of a hyperlink";
    case EditGuard::kOtherMarkup:
      return "it touches text wrapped in markup the editor cannot rewrite";
    default:
      return {};
  }
}

namespace {

// Applies one edit: checks it, sorts the pieces of its paragraphs into
// those before, inside and after the replaced text, and writes the
// paragraphs that come out.
class EditPlan {
 public:
  EditPlan(std::string_view xml, const DocumentBody& body, const BodyEdit& edit)
      : m_xml(xml), m_body(body), m_edit(edit) {
    size_t base = 0;
    for (size_t p = edit.firstParagraph; p <= edit.lastParagraph; ++p) {
      m_base.push_back(base);
      base += body.paragraphs[p].text.size() + 1;
    }
    m_from = edit.from;
    m_to = m_base.back() + edit.to;
  }

  BodyEditOutcome run() {
    BodyEditOutcome outcome;
    outcome.refusal = refusal();
    if (!outcome.refusal.empty()) return outcome;
    sortPieces();
    ParagraphWriter writer(m_xml, m_body,
                           prefixOf(paragraph(m_edit.firstParagraph).startTag.of(m_xml)));
    for (const OutParagraph& out : outParagraphs()) outcome.xml += writer.write(out);
    return outcome;
  }

 private:
  const BodyParagraph& paragraph(size_t p) const { return m_body.paragraphs[p]; }
  size_t globalOf(size_t p, size_t offset) const {
    return m_base[p - m_edit.firstParagraph] + offset;
  }

  std::string refusal() const {
    const size_t first = m_edit.firstParagraph, last = m_edit.lastParagraph;
    for (size_t p = first; p <= last; ++p) {
      if (paragraph(p).guard != EditGuard::kNone) return guardReason(paragraph(p).guard);
    }
    for (size_t p = first; p < last; ++p) {
      const std::string why = joinRefusal(p);
      if (!why.empty()) return why;
    }
    if (first != last && !m_edit.keepLastFrame && m_edit.inserted.find('\n') == std::string::npos &&
        !paragraph(last).sectionProperties.empty()) {
      return "it would remove a section break";
    }
    return pieceRefusal();
  }

  std::string joinRefusal(size_t p) const {
    if (paragraph(p).markGuard != EditGuard::kNone) return guardReason(paragraph(p).markGuard);
    if (!paragraph(p).sectionProperties.empty()) return "it would remove a section break";
    if (paragraph(p).container != paragraph(p + 1).container) {
      return "it would join paragraphs of different table cells or list items, or one of them "
             "with the text around it";
    }
    return {};
  }

  std::string pieceRefusal() const {
    std::optional<int> groupBefore, groupAfter;
    for (size_t p = m_edit.firstParagraph; p <= m_edit.lastParagraph; ++p) {
      for (const BodyPiece& piece : paragraph(p).pieces) {
        const size_t begin = globalOf(p, piece.textBegin), end = globalOf(p, piece.textEnd);
        const bool shows = end > begin;
        if (shows && begin < m_from) groupBefore = piece.group;
        if (shows && end > m_to && !groupAfter) groupAfter = piece.group;
        if (piece.guard == EditGuard::kNone) continue;
        const bool touched =
            shows ? (begin < m_to && end > m_from) || (begin < m_from && m_from < end)
                  : (m_from < begin && begin < m_to);
        if (touched) return guardReason(piece.guard);
      }
    }
    if (!m_edit.inserted.empty() && groupBefore && groupAfter && *groupBefore >= 0 &&
        *groupBefore == *groupAfter) {
      return guardReason(guardOfGroup(*groupBefore));
    }
    return {};
  }

  EditGuard guardOfGroup(int group) const {
    for (size_t p = m_edit.firstParagraph; p <= m_edit.lastParagraph; ++p) {
      for (const BodyPiece& piece : paragraph(p).pieces) {
        if (piece.group == group) return piece.guard;
      }
    }
    return EditGuard::kOtherMarkup;
  }

  void sortPieces() {
    for (size_t p = m_edit.firstParagraph; p <= m_edit.lastParagraph; ++p) {
      const BodyParagraph& par = paragraph(p);
      for (size_t i = 0; i < par.pieces.size(); ++i) sortPiece(p, i);
    }
  }

  void sortPiece(size_t p, size_t i) {
    const BodyPiece& piece = paragraph(p).pieces[i];
    const size_t begin = globalOf(p, piece.textBegin), end = globalOf(p, piece.textEnd);
    if (end > begin) {
      if (begin < m_from) {
        m_head.push_back(
            pieceItem(p, i, piece.textBegin, piece.textBegin + (std::min(end, m_from) - begin)));
      }
      if (end > m_to) {
        m_tail.push_back(
            pieceItem(p, i, piece.textEnd - (end - std::max(begin, m_to)), piece.textEnd));
      }
      if (begin < m_from) m_groupsBefore.push_back(piece.group);
      return;
    }
    const Item whole = pieceItem(p, i, piece.textBegin, piece.textEnd);
    if (begin < m_from) {
      m_head.push_back(whole);
    } else if (begin > m_to) {
      m_tail.push_back(whole);
    } else if (piece.guard == EditGuard::kNone) {
      m_middle.push_back(whole);
    } else if (piece.group >= 0 && std::find(m_groupsBefore.begin(), m_groupsBefore.end(),
                                             piece.group) != m_groupsBefore.end()) {
      // The end of a field whose text comes before the edit.
      m_head.push_back(whole);
    } else {
      m_tail.push_back(whole);
    }
  }

  // The run whose formatting typed text takes: over a selection, the run
  // of its first character, as a word processor does when a word is typed
  // over; else the run before it, or the first one after it at the start
  // of a paragraph.
  Item styleItem() const {
    auto usable = [this](size_t p, size_t i) {
      const BodyPiece& piece = paragraph(p).pieces[i];
      return piece.run >= 0 && piece.guard == EditGuard::kNone && showsText(piece);
    };
    if (m_from < m_to) {
      const BodyParagraph& first = paragraph(m_edit.firstParagraph);
      for (size_t i = 0; i < first.pieces.size(); ++i) {
        const BodyPiece& piece = first.pieces[i];
        if (piece.textEnd > m_from && piece.textBegin < m_to && usable(m_edit.firstParagraph, i)) {
          return pieceItem(m_edit.firstParagraph, i, 0, 0);
        }
      }
    }
    for (auto it = m_head.rbegin(); it != m_head.rend(); ++it) {
      if (it->paragraph == m_edit.firstParagraph && usable(it->paragraph, it->piece)) return *it;
    }
    for (const Item& item : m_tail) {
      if (usable(item.paragraph, item.piece)) return item;
    }
    return pieceItem(m_edit.firstParagraph, kNone, 0, 0);
  }

  Item typed(std::string_view text, const Item& style) const {
    const int run = style.piece == kNone ? -1 : paragraph(style.paragraph).pieces[style.piece].run;
    return {style.paragraph, kNone, 0, 0, text, run};
  }

  std::vector<OutParagraph> outParagraphs() const {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t end; (end = m_edit.inserted.find('\n', start)) != std::string_view::npos;
         start = end + 1) {
      lines.push_back(m_edit.inserted.substr(start, end - start));
    }
    lines.push_back(m_edit.inserted.substr(start));
    const Item style = styleItem();
    const size_t first = m_edit.firstParagraph, last = m_edit.lastParagraph;
    const size_t frame = m_edit.keepLastFrame ? last : first;
    const bool split = lines.size() > 1;

    std::vector<OutParagraph> out(1);
    out[0] = {frame, frame, !split, m_head};
    if (!lines[0].empty()) out[0].items.push_back(typed(lines[0], style));
    out[0].items.insert(out[0].items.end(), m_middle.begin(), m_middle.end());
    for (size_t l = 1; l < lines.size(); ++l) {
      const bool isLast = l + 1 == lines.size();
      OutParagraph next{kNone, isLast ? last : first, isLast, {}};
      if (!lines[l].empty()) next.items.push_back(typed(lines[l], style));
      out.push_back(std::move(next));
    }
    out.back().items.insert(out.back().items.end(), m_tail.begin(), m_tail.end());
    return out;
  }

  std::string_view m_xml;
  const DocumentBody& m_body;
  const BodyEdit& m_edit;
  std::vector<size_t> m_base;
  size_t m_from = 0;
  size_t m_to = 0;
  std::vector<Item> m_head, m_middle, m_tail;
  std::vector<int> m_groupsBefore;
};

}  // namespace

BodyEditOutcome applyBodyEdit(std::string_view documentXml, const DocumentBody& body,
                              const BodyEdit& edit) {
  return EditPlan(documentXml, body, edit).run();
}

std::string newBodyParagraph(std::string_view documentXml, DocumentDialect dialect,
                             const BodyParagraph& like, bool firstRun, std::string_view text) {
  const std::string prefix = prefixOf(like.startTag.of(documentXml));
  std::string xml = newParagraphStart(documentXml, dialect, like, false);
  const std::string end = closingOf(like.startTag.of(documentXml));
  if (text.empty()) return xml + end;
  const BodyRun* style = nullptr;
  for (const BodyPiece& piece : like.pieces) {
    if (piece.run < 0 || piece.guard != EditGuard::kNone || !showsText(piece)) continue;
    style = &like.runs[piece.run];
    if (firstRun) break;
  }
  xml += runStart(documentXml, dialect, prefix, style);
  TextWriter writer(dialect, prefix);
  writer.text(xml, text);
  writer.flush(xml);
  return xml + runEnd(documentXml, dialect, prefix, style) + end;
}

}  // namespace verbolt
