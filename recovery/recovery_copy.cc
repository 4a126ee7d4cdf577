#include "recovery/recovery_copy.h"

#include <charconv>
#include <cstring>

namespace verbolt {

namespace {

const char kSnapshotMark[] = "verbolt-recovery";
const char kJournalMark[] = "verbolt-journal";
const char kVersion[] = "1";

struct Field {
  std::string_view name;
  std::string_view value;
};

void putField(std::string& out, std::string_view name, std::string_view value) {
  out.append(name);
  out += ' ';
  out += std::to_string(value.size());
  out += '\n';
  out.append(value);
  out += '\n';
}

// The fields of `bytes`, up to the first that is not whole.
std::vector<Field> fieldsOf(std::string_view bytes) {
  std::vector<Field> fields;
  while (!bytes.empty()) {
    const size_t space = bytes.find(' ');
    const size_t end = bytes.find('\n');
    if (space == std::string_view::npos || end == std::string_view::npos || space > end) break;
    size_t length = 0;
    const char* digits = bytes.data() + space + 1;
    const auto [stop, error] = std::from_chars(digits, bytes.data() + end, length);
    if (error != std::errc() || stop != bytes.data() + end) break;
    const size_t begin = end + 1;
    if (length > bytes.size() - begin || bytes.size() - begin - length < 1 ||
        bytes[begin + length] != '\n') {
      break;
    }
    fields.push_back({bytes.substr(0, space), bytes.substr(begin, length)});
    bytes.remove_prefix(begin + length + 1);
  }
  return fields;
}

template <typename Number>
bool parseNumber(std::string_view text, Number& number) {
  const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return error == std::errc() && stop == text.data() + text.size();
}

struct Named {
  TextEncoding encoding;
  const char* name;
};
constexpr Named kEncodings[] = {{TextEncoding::kUtf8, "utf-8"},
                                {TextEncoding::kUtf8WithBom, "utf-8-bom"},
                                {TextEncoding::kUtf16LeWithBom, "utf-16le-bom"},
                                {TextEncoding::kUtf16BeWithBom, "utf-16be-bom"},
                                {TextEncoding::kCp1252, "windows-1252"}};
struct NamedEnds {
  LineEnds lineEnds;
  const char* name;
};
constexpr NamedEnds kLineEnds[] = {
    {LineEnds::kLf, "lf"}, {LineEnds::kCrLf, "crlf"}, {LineEnds::kCr, "cr"}};

std::string stampText(const std::optional<FileStamp>& stamp) {
  if (!stamp) return {};
  return std::to_string(stamp->device) + " " + std::to_string(stamp->inode) + " " +
         std::to_string(stamp->size) + " " + std::to_string(stamp->modifiedNs);
}

std::optional<FileStamp> parseStamp(std::string_view text) {
  FileStamp stamp;
  std::string_view parts[4];
  for (std::string_view& part : parts) {
    const size_t space = text.find(' ');
    part = text.substr(0, space);
    text = space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
  }
  if (!parseNumber(parts[0], stamp.device) || !parseNumber(parts[1], stamp.inode) ||
      !parseNumber(parts[2], stamp.size) || !parseNumber(parts[3], stamp.modifiedNs)) {
    return std::nullopt;
  }
  return stamp;
}

bool isContinuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// Finds byte offsets of character positions in a text being edited, from
// the last position found: a journal's edits mostly follow one another.
class Positions {
 public:
  explicit Positions(const std::string& utf8) : m_utf8(utf8) {}

  // The byte where character `position` starts; none beyond the end.
  std::optional<size_t> ByteOf(int64_t position) {
    if (position < 0) return std::nullopt;
    if (position < m_character / 2) m_character = 0, m_byte = 0;
    while (m_character < position && m_byte < m_utf8.size()) {
      ++m_byte;
      while (m_byte < m_utf8.size() && isContinuation(m_utf8[m_byte])) ++m_byte;
      ++m_character;
    }
    while (m_character > position) {
      --m_byte;
      while (m_byte > 0 && isContinuation(m_utf8[m_byte])) --m_byte;
      --m_character;
    }
    if (m_character != position) return std::nullopt;
    return m_byte;
  }

  // The text before `byte` is unchanged by an edit there.
  void EditedAt(int64_t position, size_t byte) {
    m_character = position;
    m_byte = byte;
  }

 private:
  const std::string& m_utf8;
  int64_t m_character = 0;
  size_t m_byte = 0;
};

bool apply(std::string& utf8, Positions& positions, const EditorChange& change) {
  if (change.removed < 0) return false;
  const std::optional<size_t> begin = positions.ByteOf(change.position);
  if (!begin) return false;
  const std::optional<size_t> end = positions.ByteOf(change.position + change.removed);
  if (!end) return false;
  utf8.replace(*begin, *end - *begin, change.inserted);
  positions.EditedAt(change.position, *begin);
  return true;
}

// "POSITION REMOVED INSERTED": the inserted text is everything after the
// second space.
std::optional<EditorChange> parseChange(std::string_view value) {
  const size_t first = value.find(' ');
  if (first == std::string_view::npos) return std::nullopt;
  const size_t second = value.find(' ', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  EditorChange change;
  if (!parseNumber(value.substr(0, first), change.position) ||
      !parseNumber(value.substr(first + 1, second - first - 1), change.removed)) {
    return std::nullopt;
  }
  change.inserted = value.substr(second + 1);
  return change;
}

}  // namespace

std::string snapshotBytes(const RecoveredText& text, uint64_t generation) {
  std::string out;
  out.reserve(text.utf8.size() + text.documentPath.size() + 200);
  putField(out, kSnapshotMark, kVersion);
  putField(out, "generation", std::to_string(generation));
  putField(out, "document", text.documentPath);
  for (const Named& named : kEncodings) {
    if (named.encoding == text.format.encoding) putField(out, "encoding", named.name);
  }
  for (const NamedEnds& named : kLineEnds) {
    if (named.lineEnds == text.format.lineEnds) putField(out, "line-ends", named.name);
  }
  putField(out, "stamp", stampText(text.documentStamp));
  putField(out, "caret", std::to_string(text.caret));
  putField(out, "text", text.utf8);
  return out;
}

std::string journalHeader(uint64_t generation) {
  std::string out;
  putField(out, kJournalMark, kVersion);
  putField(out, "generation", std::to_string(generation));
  return out;
}

std::string journalBytes(const std::vector<EditorChange>& changes, int64_t caret) {
  std::string out;
  for (const EditorChange& change : changes) {
    putField(out, "edit",
             std::to_string(change.position) + " " + std::to_string(change.removed) + " " +
                 change.inserted);
  }
  putField(out, "caret", std::to_string(caret));
  return out;
}

std::optional<RecoveredText> readRecovery(std::string_view snapshot, std::string_view journal) {
  const std::vector<Field> fields = fieldsOf(snapshot);
  if (fields.empty() || fields[0].name != kSnapshotMark || fields[0].value != kVersion) {
    return std::nullopt;
  }
  RecoveredText text;
  std::string_view generation;
  bool hasText = false;
  for (const Field& field : fields) {
    if (field.name == "generation") generation = field.value;
    if (field.name == "document") text.documentPath = field.value;
    if (field.name == "stamp") text.documentStamp = parseStamp(field.value);
    if (field.name == "caret") parseNumber(field.value, text.caret);
    if (field.name == "text") text.utf8 = field.value, hasText = true;
    for (const Named& named : kEncodings) {
      if (field.name == "encoding" && field.value == named.name) {
        text.format.encoding = named.encoding;
      }
    }
    for (const NamedEnds& named : kLineEnds) {
      if (field.name == "line-ends" && field.value == named.name) {
        text.format.lineEnds = named.lineEnds;
      }
    }
  }
  if (!hasText) return std::nullopt;

  const std::vector<Field> entries = fieldsOf(journal);
  if (entries.size() < 2 || entries[0].name != kJournalMark || entries[0].value != kVersion ||
      entries[1].name != "generation" || entries[1].value != generation) {
    return text;
  }
  Positions positions(text.utf8);
  for (size_t i = 2; i < entries.size(); ++i) {
    if (entries[i].name == "caret") {
      parseNumber(entries[i].value, text.caret);
      continue;
    }
    if (entries[i].name != "edit") continue;
    std::optional<EditorChange> change = parseChange(entries[i].value);
    if (!change || !apply(text.utf8, positions, *change)) break;
  }
  return text;
}

bool applyChange(std::string& utf8, const EditorChange& change) {
  Positions positions(utf8);
  return apply(utf8, positions, change);
}

int64_t characterCount(std::string_view utf8) {
  int64_t count = 0;
  for (char byte : utf8) count += isContinuation(byte) ? 0 : 1;
  return count;
}

}  // namespace verbolt
