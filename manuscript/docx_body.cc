#include "manuscript/docx_body.h"

#include "manuscript/body_parse.h"

namespace verbolt {

namespace {

constexpr std::string_view kWordMain =
    "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr std::string_view kWordStrict = "http://purl.oclc.org/ooxml/wordprocessingml/main";
constexpr std::string_view kMarkupCompatibility =
    "http://schemas.openxmlformats.org/markup-compatibility/2006";

struct Name : XmlName {
  bool isWord() const { return space == kWordMain || space == kWordStrict; }
};

Name splitName(const XML_Char* name) { return {splitXmlName(name)}; }

std::string_view attribute(const XML_Char** attributes, std::string_view local) {
  for (size_t i = 0; attributes[i]; i += 2) {
    const Name name = splitName(attributes[i]);
    if (name.isWord() && name.local == local) return attributes[i + 1];
  }
  return {};
}

bool isTrackedChange(std::string_view local) {
  return local == "ins" || local == "del" || local == "moveFrom" || local == "moveTo";
}

bool isSymbol(std::string_view local) {
  return local == "tab" || local == "br" || local == "cr" || local == "noBreakHyphen" ||
         local == "softHyphen";
}

// What guards an element between runs, by its name.
EditGuard guardOfWrapper(std::string_view local, bool showsText) {
  if (isTrackedChange(local)) return EditGuard::kTrackedChange;
  if (local == "sdt") return EditGuard::kContentControl;
  if (local == "fldSimple") return EditGuard::kField;
  if (!showsText) return EditGuard::kNone;
  if (local == "hyperlink") return EditGuard::kHyperlink;
  return EditGuard::kOtherMarkup;
}

enum class Role {
  kOther,
  kParagraph,            // a top-level paragraph
  kParagraphProperties,  // its w:pPr
  kBetweenRuns,          // any other child of it
  kRun,                  // a w:r child of it
  kRunChild,             // a child of that run
};

struct Frame {
  Role role = Role::kOther;
  bool isWord = false;
  std::string local;
  int id = 0;
  size_t start = 0;
  size_t startTagEnd = 0;
  size_t textStart = 0;  // the paragraph's text length when it opened
  bool endsField = false;
  bool blockControl = false;  // a w:sdt around paragraphs
};

}  // namespace

namespace {

// Follows word/document.xml as the text reader does, to give the same text,
// and records where each paragraph, run and piece lies.
struct BodyParse : BodyParseBase {
  std::vector<Frame> stack;
  int elements = 0;

  // The reader's state (document_text.cc), kept the same way.
  int skipDepth = 0;
  int bodyDepth = 0;
  int paragraphDepth = 0;
  int runDepth = 0;
  bool inWordText = false;
  size_t lineStart = 0;

  // Where we are in the structure.
  size_t paragraphFrame = 0;  // index in `stack` of the open top-level paragraph
  int blockContentControls = 0;
  int fieldDepth = 0;
  int fieldGroup = -1;

  std::string& text() { return paragraph.text; }
  bool collecting() const { return skipDepth == 0 && bodyDepth > 0 && paragraphDepth > 0; }

  void endLine() {
    text() += '\n';
    lineStart = text().size();
  }

  // --- the reader's logic --------------------------------------------------

  bool isSkipped(Name name) const {
    if (name.space == kMarkupCompatibility) return name.local == "Fallback";
    return name.isWord() && (name.local == "del" || name.local == "moveFrom");
  }

  void readerStart(Name name, const XML_Char** attributes) {
    if (skipDepth > 0 || isSkipped(name)) {
      ++skipDepth;
      return;
    }
    if (!name.isWord()) return;
    if (name.local == "body") ++bodyDepth;
    if (!(bodyDepth > 0 && skipDepth == 0)) return;
    if (name.local == "p") {
      startReaderParagraph();
    } else if (name.local == "r") {
      ++runDepth;
    } else if (name.local == "t") {
      inWordText = true;
    } else if (!collecting() || runDepth == 0) {
      return;
    } else if (name.local == "tab") {
      text() += '\t';
    } else if (name.local == "br") {
      const std::string_view type = attribute(attributes, "type");
      if (type != "page" && type != "column") text() += '\n';
    } else if (name.local == "cr") {
      text() += '\n';
    } else if (name.local == "noBreakHyphen") {
      text() += "\u2011";
    } else if (name.local == "softHyphen") {
      text() += "\u00AD";
    }
  }

  void startReaderParagraph() {
    if (paragraphDepth == 0) {
      openParagraph();
    } else {
      paragraph.guard = EditGuard::kTextBox;
      if (text().size() > lineStart) endLine();
    }
    ++paragraphDepth;
  }

  void readerEnd(Name name) {
    if (skipDepth > 0) {
      --skipDepth;
      return;
    }
    if (!name.isWord()) return;
    if (name.local == "body") --bodyDepth;
    if (bodyDepth == 0 || skipDepth > 0) return;
    if (name.local == "p" && paragraphDepth > 0) {
      --paragraphDepth;
      if (paragraphDepth == 0) {
        closeParagraph();
      } else {
        endLine();
      }
    } else if (name.local == "r" && runDepth > 0) {
      --runDepth;
    } else if (name.local == "t") {
      inWordText = false;
    }
  }

  void characters(std::string_view data) {
    if (!collecting() || !inWordText) return;
    for (char c : data) text() += (c == '\t' || c == '\n' || c == '\r') ? ' ' : c;
  }

  // --- the structure -------------------------------------------------------

  void openParagraph() {
    const Frame& parent = stack[stack.size() - 2];
    paragraph = BodyParagraph();
    paragraph.container = parent.id;
    paragraph.inTableCell = parent.isWord && parent.local == "tc";
    if (blockContentControls > 0) paragraph.guard = EditGuard::kContentControl;
    paragraphFrame = stack.size() - 1;
    stack.back().role = Role::kParagraph;
    lineStart = 0;
  }

  void closeParagraph() {
    const Frame& frame = stack[paragraphFrame];
    paragraph.xml = {frame.start, elementEnd(frame.startTagEnd)};
    paragraph.removal = paragraph.xml;
    paragraph.startTag = {frame.start, frame.startTagEnd};
    if (fieldDepth > 0 && paragraph.markGuard == EditGuard::kNone) {
      paragraph.markGuard = EditGuard::kField;
    }
    body.paragraphs.push_back(std::move(paragraph));
    paragraph = BodyParagraph();
  }

  bool inParagraph() const { return paragraphDepth > 0 && skipDepth == 0 && bodyDepth > 0; }

  // The role of an element that just opened, from its parent's.
  Role roleOf(const Frame& parent, const Frame& self) const {
    if (!self.isWord) return parent.role == Role::kParagraph ? Role::kBetweenRuns : Role::kOther;
    if (parent.role == Role::kParagraph) {
      if (self.local == "pPr") return Role::kParagraphProperties;
      return self.local == "r" ? Role::kRun : Role::kBetweenRuns;
    }
    return parent.role == Role::kRun ? Role::kRunChild : Role::kOther;
  }

  void start(const XML_Char* rawName, const XML_Char** attributes) {
    if (stack.size() >= static_cast<size_t>(kMaxXmlDepth)) {
      stop(kTooDeep);
      return;
    }
    const Name name = splitName(rawName);
    Frame frame;
    frame.isWord = name.isWord();
    frame.local = name.local;
    frame.id = elements++;
    frame.start = position();
    frame.startTagEnd = frame.start + eventLength();
    const bool wasInParagraph = inParagraph();
    if (wasInParagraph && paragraphDepth == 1) {
      frame.role = roleOf(stack.back(), frame);
      frame.textStart = text().size();
    }
    stack.push_back(std::move(frame));
    readerStart(name, attributes);
    noteStart(stack.back(), name, attributes, wasInParagraph);
  }

  void noteStart(Frame& frame, Name name, const XML_Char** attributes, bool wasInParagraph) {
    if (!name.isWord()) return;
    if (paragraphDepth == 0 && name.local == "sdt") {
      frame.blockControl = true;
      ++blockContentControls;
    }
    if (!wasInParagraph) return;
    if (frame.role == Role::kRun) {
      paragraph.runs.push_back({});
    }
    if (isInsideParagraphProperties() && isTrackedChange(name.local)) {
      paragraph.markGuard = EditGuard::kTrackedChange;
    }
    if (name.local != "fldChar" || skipDepth > 0) return;
    const std::string_view type = attribute(attributes, "fldCharType");
    if (type == "begin" && fieldDepth++ == 0) fieldGroup = groups++;
    frame.endsField = type == "end" && fieldDepth > 0;
  }

  bool isInsideParagraphProperties() const {
    if (paragraphDepth != 1) return false;
    for (size_t i = paragraphFrame + 1; i < stack.size(); ++i) {
      if (stack[i].role == Role::kParagraphProperties) return true;
    }
    return false;
  }

  void end(const XML_Char* rawName) {
    // A stopped parse may still report the end of the element it stopped in.
    if (!body.error.empty() || stack.empty()) return;
    const Name name = splitName(rawName);
    Frame& frame = stack.back();
    const ByteRange range{frame.start, elementEnd(frame.startTagEnd)};
    noteEnd(frame, name, range);
    if (frame.endsField && --fieldDepth == 0) fieldGroup = -1;
    if (frame.blockControl) --blockContentControls;
    readerEnd(name);
    stack.pop_back();
  }

  void noteEnd(const Frame& frame, Name name, ByteRange range) {
    switch (frame.role) {
      case Role::kParagraphProperties:
        paragraph.properties = range;
        break;
      case Role::kRun:
        paragraph.runs.back().xml = range;
        break;
      case Role::kRunChild:
        noteRunChild(frame, name, range);
        break;
      case Role::kBetweenRuns:
        noteBetweenRuns(frame, range);
        break;
      default:
        noteSection(frame, range);
        break;
    }
  }

  void noteSection(const Frame& frame, ByteRange range) {
    if (!frame.isWord || frame.local != "sectPr" || paragraphDepth != 1) return;
    if (stack.size() >= 2 && stack[stack.size() - 2].role == Role::kParagraphProperties) {
      paragraph.sectionProperties = range;
    }
  }

  void noteRunChild(const Frame& frame, Name name, ByteRange range) {
    const int run = static_cast<int>(paragraph.runs.size()) - 1;
    if (name.isWord() && name.local == "rPr") {
      paragraph.runs[run].properties = range;
      return;
    }
    BodyPiece piece = pieceOf(frame.textStart, range);
    piece.run = run;
    const bool shows = piece.textEnd > piece.textBegin;
    if (!shows) {
      piece.kind = PieceKind::kRunExtra;
    } else if (name.isWord() && name.local == "t") {
      piece.kind = PieceKind::kText;
    } else {
      piece.kind = PieceKind::kSymbol;
      // Text from deeper inside the run (an alternative content's choice).
      if (!name.isWord() || !isSymbol(name.local)) guard(piece, EditGuard::kOtherMarkup);
    }
    const bool fieldMark = name.isWord() && (name.local == "fldChar" || name.local == "instrText");
    if (fieldMark || fieldDepth > 0) guardByField(piece);
    BodyRun& owner = paragraph.runs[run];
    if (owner.pieceCount++ == 0) owner.firstPiece = paragraph.pieces.size();
    paragraph.pieces.push_back(piece);
  }

  void noteBetweenRuns(const Frame& frame, ByteRange range) {
    BodyPiece piece = pieceOf(frame.textStart, range);
    const bool shows = piece.textEnd > piece.textBegin;
    piece.kind = shows ? PieceKind::kSealed : PieceKind::kAnchor;
    if (frame.isWord) guard(piece, guardOfWrapper(frame.local, shows));
    if (!frame.isWord && shows) guard(piece, EditGuard::kOtherMarkup);
    if (fieldDepth > 0 && piece.guard == EditGuard::kNone) guardByField(piece);
    paragraph.pieces.push_back(piece);
  }

  void guardByField(BodyPiece& piece) {
    piece.guard = EditGuard::kField;
    piece.group = fieldGroup >= 0 ? fieldGroup : groups++;
  }
};

}  // namespace

DocumentBody parseDocxBody(std::string_view documentXml) {
  BodyParse parse;
  return parseBody(parse, documentXml);
}

}  // namespace verbolt
