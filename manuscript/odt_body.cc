#include "manuscript/odt_body.h"

#include <charconv>

#include "manuscript/body_parse.h"
#include "manuscript/manuscript.h"

namespace verbolt {

namespace {

constexpr std::string_view kOdfText = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
constexpr std::string_view kOdfOffice = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
constexpr std::string_view kOdfTable = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
constexpr std::string_view kOdfSvg = "urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0";

struct Name : XmlName {
  bool isText() const { return space == kOdfText; }
  bool isParagraph() const { return isText() && (local == "p" || local == "h"); }
};

Name splitName(const XML_Char* name) { return {splitXmlName(name)}; }

std::string_view attribute(const XML_Char** attributes, std::string_view local) {
  for (size_t i = 0; attributes[i]; i += 2) {
    const Name name = splitName(attributes[i]);
    if (name.isText() && name.local == local) return attributes[i + 1];
  }
  return {};
}

bool isTrackedChangeMark(Name name) {
  return name.isText() &&
         (name.local == "change-start" || name.local == "change-end" || name.local == "change");
}

// Elements a writer's rewrite may keep around or inside runs because they
// show nothing of their own: bookmarks, index marks, notes, comments.
bool isTextSymbol(Name name) {
  return name.isText() && (name.local == "s" || name.local == "tab" || name.local == "line-break");
}

// What guards an element of the paragraph that shows text of its own.
EditGuard guardOfShowing(Name name) {
  if (!name.isText()) return EditGuard::kOtherMarkup;
  if (name.local == "a") return EditGuard::kHyperlink;
  if (name.local == "span" || name.local == "ruby" || name.local == "meta") {
    return EditGuard::kOtherMarkup;
  }
  // Dates, page numbers, references, variables: the word processor
  // computes what they show.
  return EditGuard::kField;
}

enum class Role {
  kOther,
  kParagraph,    // a top-level paragraph (text:p or text:h)
  kSpan,         // a text:span child of it: a run
  kSpanChild,    // a child of that span
  kBetweenRuns,  // any other child of the paragraph
};

struct Frame {
  Role role = Role::kOther;
  Name name;
  int id = 0;
  size_t start = 0;
  size_t startTagEnd = 0;
  size_t textStart = 0;  // the paragraph's text length when it opened
  int children = 0;      // elements directly inside it
  size_t onlyParagraph = static_cast<size_t>(-1);
};

// Follows content.xml as the text reader does, to give the same text, and
// records where each paragraph, run and piece lies.
struct OdtParse : BodyParseBase {
  std::vector<Frame> stack;
  int elements = 0;
  size_t textSize = 0;  // of the whole body, bounded as the reader bounds it

  // The reader's state (document_text.cc), kept the same way.
  int skipDepth = 0;
  int bodyDepth = 0;
  int paragraphDepth = 0;
  size_t lineStart = 0;
  bool lastWasCollapsedSpace = false;

  size_t paragraphFrame = 0;
  int changeGroup = -1;  // inside text:change-start ... text:change-end

  std::string& text() { return paragraph.text; }
  bool collecting() const { return skipDepth == 0 && bodyDepth > 0 && paragraphDepth > 0; }

  bool roomFor(size_t bytes) {
    if (bytes <= kMaxUnpackedSize - textSize) {
      textSize += bytes;
      return true;
    }
    stop("its text is larger than 256 MB");
    return false;
  }

  void append(std::string_view bytes) {
    if (!roomFor(bytes.size())) return;
    text() += bytes;
    lastWasCollapsedSpace = false;
  }

  void endLine() {
    append("\n");
    lineStart = text().size();
  }

  // --- the reader's logic --------------------------------------------------

  bool isSkipped(Name name) const {
    if (name.isText()) {
      return name.local == "note" || name.local == "tracked-changes" ||
             name.local.ends_with("-source");
    }
    if (name.space == kOdfOffice) return name.local == "annotation";
    return name.space == kOdfSvg && (name.local == "title" || name.local == "desc");
  }

  void readerStart(Name name, const XML_Char** attributes) {
    if (skipDepth > 0 || isSkipped(name)) {
      ++skipDepth;
      return;
    }
    if (name.space == kOdfOffice && name.local == "body") ++bodyDepth;
    if (!name.isText() || !(bodyDepth > 0 && skipDepth == 0)) return;
    if (name.isParagraph()) {
      startReaderParagraph();
    } else if (!collecting()) {
      return;
    } else if (name.local == "s") {
      appendSpaces(attribute(attributes, "c"));
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
    }
    if (!roomFor(count)) return;
    text().append(count, ' ');
    lastWasCollapsedSpace = false;
  }

  void startReaderParagraph() {
    if (paragraphDepth == 0) {
      openParagraph();
    } else {
      paragraph.guard = EditGuard::kTextBox;
      if (text().size() > lineStart) endLine();
    }
    ++paragraphDepth;
    lastWasCollapsedSpace = false;
  }

  void readerEnd(Name name) {
    if (skipDepth > 0) {
      --skipDepth;
      return;
    }
    if (name.space == kOdfOffice && name.local == "body") --bodyDepth;
    if (!name.isParagraph() || paragraphDepth == 0 || bodyDepth == 0) return;
    if (--paragraphDepth == 0) {
      closeParagraph();
    } else {
      endLine();
    }
  }

  void characters(std::string_view data) {
    if (!collecting()) return;
    const size_t before = text().size();
    if (!roomFor(data.size())) return;
    textSize -= data.size();
    for (char c : data) {
      const bool space = c == ' ' || c == '\t' || c == '\n' || c == '\r';
      if (!space) {
        text() += c;
        lastWasCollapsedSpace = false;
      } else if (!lastWasCollapsedSpace && text().size() > lineStart) {
        text() += ' ';
        lastWasCollapsedSpace = true;
      }
    }
    textSize += text().size() - before;
    notePlainText(before);
  }

  // --- the structure -------------------------------------------------------

  void openParagraph() {
    const Frame& parent = stack[stack.size() - 2];
    paragraph = BodyParagraph();
    paragraph.container = parent.id;
    paragraph.inTableCell = parent.name.space == kOdfTable && parent.name.local == "table-cell";
    paragraphFrame = stack.size() - 1;
    stack.back().role = Role::kParagraph;
    lineStart = 0;
  }

  void closeParagraph() {
    const Frame& frame = stack[paragraphFrame];
    paragraph.xml = {frame.start, elementEnd(frame.startTagEnd)};
    paragraph.removal = paragraph.xml;
    paragraph.startTag = {frame.start, frame.startTagEnd};
    if (changeGroup >= 0) paragraph.markGuard = EditGuard::kTrackedChange;
    body.paragraphs.push_back(std::move(paragraph));
    paragraph = BodyParagraph();
    if (paragraphFrame >= 1) stack[paragraphFrame - 1].onlyParagraph = body.paragraphs.size() - 1;
  }

  bool inParagraph() const { return paragraphDepth == 1 && skipDepth == 0 && bodyDepth > 0; }

  Role roleOf(const Frame& parent, Name self) const {
    if (parent.role == Role::kParagraph) {
      return self.isText() && self.local == "span" ? Role::kSpan : Role::kBetweenRuns;
    }
    return parent.role == Role::kSpan ? Role::kSpanChild : Role::kOther;
  }

  void start(const XML_Char* rawName, const XML_Char** attributes) {
    if (stack.size() >= static_cast<size_t>(kMaxXmlDepth)) {
      stop(kTooDeep);
      return;
    }
    const Name name = splitName(rawName);
    if (!stack.empty()) ++stack.back().children;
    Frame frame;
    frame.name = name;
    frame.id = elements++;
    frame.start = position();
    frame.startTagEnd = frame.start + eventLength();
    if (inParagraph()) {
      frame.role = roleOf(stack.back(), name);
      frame.textStart = text().size();
    }
    stack.push_back(frame);
    readerStart(name, attributes);
    if (stack.back().role == Role::kSpan) paragraph.runs.push_back({});
  }

  void end(const XML_Char*) {
    // A stopped parse may still report the end of the element it stopped in.
    if (!body.error.empty() || stack.empty()) return;
    const Frame frame = stack.back();
    const ByteRange range{frame.start, elementEnd(frame.startTagEnd)};
    readerEnd(frame.name);
    noteEnd(frame, range);
    stack.pop_back();
  }

  void noteEnd(const Frame& frame, ByteRange range) {
    switch (frame.role) {
      case Role::kSpan: {
        BodyRun& run = paragraph.runs.back();
        run.xml = range;
        run.properties = {frame.start, frame.startTagEnd};
        break;
      }
      case Role::kSpanChild:
        noteInRun(frame, range, static_cast<int>(paragraph.runs.size()) - 1);
        break;
      case Role::kBetweenRuns:
        noteBetweenRuns(frame, range);
        break;
      default:
        noteListItem(frame);
        break;
    }
  }

  // A list item holding one paragraph and nothing else goes with it when
  // the paragraph is deleted: an empty item would still show its bullet.
  void noteListItem(const Frame& frame) {
    if (!frame.name.isText() || frame.name.local != "list-item" || frame.children != 1 ||
        frame.onlyParagraph >= body.paragraphs.size()) {
      return;
    }
    BodyParagraph& only = body.paragraphs[frame.onlyParagraph];
    if (only.xml.begin > frame.start) only.removal = {frame.start, elementEnd(frame.startTagEnd)};
  }

  // Character data straight inside the paragraph or inside a span: text
  // of a run, the span's or a run of its own between spans.
  void notePlainText(size_t textBegin) {
    if (!inParagraph() || stack.empty()) return;
    const Role role = stack.back().role;
    if (role != Role::kParagraph && role != Role::kSpan) return;
    const ByteRange range{position(), position() + eventLength()};
    const int run = role == Role::kSpan ? static_cast<int>(paragraph.runs.size()) - 1 : bareRun();
    if (!paragraph.pieces.empty()) {
      BodyPiece& last = paragraph.pieces.back();
      if (last.kind == PieceKind::kText && last.run == run && last.xml.end == range.begin &&
          last.guard == guardHere()) {
        last.xml.end = range.end;
        last.textEnd = text().size();
        return;
      }
    }
    BodyPiece piece;
    piece.kind = PieceKind::kText;
    piece.textBegin = textBegin;
    piece.textEnd = text().size();
    piece.xml = range;
    addToRun(piece, run);
  }

  // The run that text straight inside the paragraph joins: the last one
  // when the paragraph's last piece is in it, else a new one.
  int bareRun() {
    if (!paragraph.pieces.empty() && !paragraph.runs.empty()) {
      const BodyPiece& last = paragraph.pieces.back();
      const int run = static_cast<int>(paragraph.runs.size()) - 1;
      if (last.run == run && paragraph.runs[run].properties.empty()) return run;
    }
    paragraph.runs.push_back({});
    return static_cast<int>(paragraph.runs.size()) - 1;
  }

  void addToRun(BodyPiece piece, int run) {
    piece.run = run;
    const EditGuard here = guardHere();
    if (piece.guard == EditGuard::kNone && here != EditGuard::kNone) {
      piece.guard = here;
      piece.group = changeGroup;
    }
    BodyRun& owner = paragraph.runs[run];
    if (owner.pieceCount++ == 0) owner.firstPiece = paragraph.pieces.size();
    if (owner.properties.empty()) {
      if (owner.xml.empty()) owner.xml.begin = piece.xml.begin;
      owner.xml.end = piece.xml.end;
    }
    paragraph.pieces.push_back(piece);
  }

  EditGuard guardHere() const {
    return changeGroup >= 0 ? EditGuard::kTrackedChange : EditGuard::kNone;
  }

  void noteInRun(const Frame& frame, ByteRange range, int run) {
    BodyPiece piece = pieceOf(frame.textStart, range);
    const bool shows = piece.textEnd > piece.textBegin;
    if (frame.name.isText() && frame.name.local == "s") {
      piece.kind = PieceKind::kText;
    } else if (isTextSymbol(frame.name)) {
      piece.kind = PieceKind::kSymbol;
    } else if (shows) {
      piece.kind = PieceKind::kSymbol;
      guard(piece, guardOfShowing(frame.name));
    } else {
      piece.kind = PieceKind::kRunExtra;
      if (isTrackedChangeMark(frame.name)) noteChangeMark(frame.name, piece);
    }
    addToRun(piece, run);
  }

  void noteBetweenRuns(const Frame& frame, ByteRange range) {
    BodyPiece piece = pieceOf(frame.textStart, range);
    const bool shows = piece.textEnd > piece.textBegin;
    if (isTextSymbol(frame.name)) {
      piece.kind = frame.name.local == "s" ? PieceKind::kText : PieceKind::kSymbol;
      addToRun(piece, bareRun());
      return;
    }
    piece.kind = shows ? PieceKind::kSealed : PieceKind::kAnchor;
    if (shows) guard(piece, guardOfShowing(frame.name));
    if (isTrackedChangeMark(frame.name)) noteChangeMark(frame.name, piece);
    if (piece.guard == EditGuard::kNone && guardHere() != EditGuard::kNone) {
      piece.guard = guardHere();
      piece.group = changeGroup;
    }
    paragraph.pieces.push_back(piece);
  }

  // Text between text:change-start and text:change-end was inserted with
  // changes tracked; text:change marks where text was deleted.
  void noteChangeMark(Name name, BodyPiece& piece) {
    if (name.local == "change-start") {
      changeGroup = groups++;
    } else if (name.local == "change-end") {
      piece.group = changeGroup;
      changeGroup = -1;
    }
    piece.guard = EditGuard::kTrackedChange;
    if (piece.group < 0) piece.group = changeGroup >= 0 ? changeGroup : groups++;
  }
};

}  // namespace

DocumentBody parseOdtBody(std::string_view contentXml) {
  OdtParse parse;
  parse.body.dialect = DocumentDialect::kOpenDocument;
  return parseBody(parse, contentXml);
}

}  // namespace verbolt
