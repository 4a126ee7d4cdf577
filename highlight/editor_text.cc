#include "highlight/editor_text.h"

#include <gtk/gtk.h>
#include <wx/strconv.h>
#include <wx/textctrl.h>

#include <array>
#include <cstdint>

#include "highlight/text_buffer.h"
#include "text/cp1252.h"
#include "text/utf8.h"
#include "text/words.h"

namespace verbolt {

namespace {

// Every code point the code page holds is below U+2123 (the trade mark
// sign); anything at or above it is unmappable.
constexpr size_t kEncodeTableSize = 0x2123;

const std::array<unsigned char, kEncodeTableSize>& encodeTable() {
  static const auto* table = [] {
    auto* bytes = new std::array<unsigned char, kEncodeTableSize>;
    for (size_t c = 0; c < kEncodeTableSize; ++c)
      (*bytes)[c] = encodeCp1252(static_cast<char32_t>(c));
    return bytes;
  }();
  return *table;
}

const std::array<wchar_t, 256>& decodeTable() {
  static const auto* table = [] {
    auto* chars = new std::array<wchar_t, 256>;
    for (int byte = 0; byte < 256; ++byte) {
      (*chars)[byte] = static_cast<wchar_t>(decodeCp1252(static_cast<unsigned char>(byte)));
    }
    (*chars)[0] = kNulPlaceholder;
    return chars;
  }();
  return *table;
}

}  // namespace

std::string toCp1252(const wxString& text) {
  const auto& table = encodeTable();
  // On GTK a wxString holds one wchar_t per code point, emoji included.
  const wchar_t* chars = text.wc_str();
  const size_t length = text.length();
  std::string bytes(length, '\0');
  for (size_t i = 0; i < length; ++i) {
    const auto c = static_cast<std::uint32_t>(chars[i]);
    bytes[i] = static_cast<char>(c < kEncodeTableSize ? table[c] : kUnmappableByte);
  }
  return bytes;
}

std::string utf8Of(const wxString& text) {
  const wxScopedCharBuffer bytes = text.utf8_str();
  return std::string(bytes.data(), bytes.length());
}

namespace {

const wxMBConv& fileNameConversion() {
  static const wxMBConvUTF8 conversion(wxMBConvUTF8::MAP_INVALID_UTF8_TO_PUA);
  return conversion;
}

}  // namespace

wxString fileNameOf(std::string_view bytes) {
  return wxString(bytes.data(), fileNameConversion(), bytes.size());
}

std::string fileNameBytes(const wxString& name) {
  const wxCharBuffer bytes = name.mb_str(fileNameConversion());
  return std::string(bytes.data(), bytes.length());
}

wxString shownUtf8(std::string_view bytes) {
  if (isValidUtf8(bytes)) return wxString::FromUTF8(bytes.data(), bytes.size());
  std::string repaired;
  for (size_t i = 0; i < bytes.size();) appendUtf8(repaired, nextUtf8Char(bytes, i));
  return wxString::FromUTF8(repaired.data(), repaired.size());
}

wxString fromCp1252(std::string_view bytes) {
  const auto& table = decodeTable();
  // Filled in place: building the characters elsewhere and copying them in
  // costs ten times as much.
  wxString text(bytes.size(), L' ');
  auto byte = bytes.begin();
  for (auto c = text.begin(); c != text.end(); ++c, ++byte)
    *c = table[static_cast<unsigned char>(*byte)];
  return text;
}

// A multi-line control's text is read from its buffer as UTF-8: going
// through the toolkit's own string, four bytes a character, costs three
// times as much on a novel.
std::string editorBytes(const wxTextCtrl& control) {
  if (!control.IsMultiLine()) return toCp1252(control.GetValue());
  GtkTextBuffer* buffer = textBufferOf(control);
  GtkTextIter start, end;
  gtk_text_buffer_get_bounds(buffer, &start, &end);
  gchar* utf8 = gtk_text_buffer_get_text(buffer, &start, &end, TRUE);
  std::string bytes;
  size_t invalidAt = 0;
  // The buffer holds valid UTF-8 only.
  utf8ToCp1252(utf8, bytes, invalidAt);
  g_free(utf8);
  return bytes;
}

namespace {

// The text last read from a buffer, kept on the buffer itself and brought
// up to date by its edits, so that the colours that follow the typing do
// not read a novel again at every key.
struct ReadText {
  bool current = false;
  std::string lowered;
  // The counts behind the statistics: an edit counts the bytes it changes,
  // not a novel.
  TextCounts counts;
};

// The word starts at the positions before `to` from the one before `from`:
// those an edit at `from` may make or undo.
long long wordStartsAround(std::string_view text, size_t from, size_t to) {
  return countsIn(text, from > 0 ? from - 1 : 0, to).wordStarts;
}

constexpr char kReadTextKey[] = "verbolt-read-text";

void followInsert(GtkTextBuffer*, GtkTextIter* location, gchar* utf8, gint bytes, gpointer data) {
  auto* text = static_cast<ReadText*>(data);
  if (!text->current) return;
  std::string inserted;
  size_t invalidAt = 0;
  utf8ToCp1252(std::string_view(utf8, static_cast<size_t>(bytes)), inserted, invalidAt);
  lowercaseTextInPlace(inserted);
  const size_t end = static_cast<size_t>(gtk_text_iter_get_offset(location));
  if (inserted.size() > end || end > text->lowered.size() + inserted.size()) {
    text->current = false;  // never seen; read it all again rather than guess
    return;
  }
  const size_t at = end - inserted.size();
  const long long startsBefore = wordStartsAround(text->lowered, at, at);
  text->lowered.insert(at, inserted);
  const TextCounts added = countsIn(text->lowered, at, end);
  text->counts.lineFeeds += added.lineFeeds;
  text->counts.blanks += added.blanks;
  text->counts.wordStarts += wordStartsAround(text->lowered, at, end) - startsBefore;
}

void followDelete(GtkTextBuffer*, GtkTextIter* start, GtkTextIter* end, gpointer data) {
  auto* text = static_cast<ReadText*>(data);
  if (!text->current) return;
  const size_t from = static_cast<size_t>(gtk_text_iter_get_offset(start));
  const size_t to = static_cast<size_t>(gtk_text_iter_get_offset(end));
  if (from > to || to > text->lowered.size()) {
    text->current = false;
    return;
  }
  const TextCounts removed = countsIn(text->lowered, from, to);
  const long long startsBefore = wordStartsAround(text->lowered, from, to);
  text->lowered.erase(from, to - from);
  text->counts.lineFeeds -= removed.lineFeeds;
  text->counts.blanks -= removed.blanks;
  text->counts.wordStarts += wordStartsAround(text->lowered, from, from) - startsBefore;
}

void deleteReadText(gpointer text) { delete static_cast<ReadText*>(text); }

ReadText readNow(const wxTextCtrl& control) {
  ReadText text;
  text.lowered = editorBytes(control);
  text.counts = lowercaseAndCountIn(text.lowered);
  text.current = true;
  return text;
}

ReadText& readText(const wxTextCtrl& control) {
  GObject* buffer = G_OBJECT(textBufferOf(control));
  auto* text = static_cast<ReadText*>(g_object_get_data(buffer, kReadTextKey));
  if (!text) {
    text = new ReadText;
    g_object_set_data_full(buffer, kReadTextKey, text, deleteReadText);
    // Before the deletion, while its iterators still tell where it was;
    // after the insertion, once its place is known.
    g_signal_connect(buffer, "delete-range", G_CALLBACK(followDelete), text);
    g_signal_connect_after(buffer, "insert-text", G_CALLBACK(followInsert), text);
  }
  if (!text->current) *text = readNow(control);
  return *text;
}

}  // namespace

std::string loweredEditorBytes(const wxTextCtrl& control) {
  if (!control.IsMultiLine()) return readNow(control).lowered;
  return readText(control).lowered;
}

TextStatistics editorStatistics(const wxTextCtrl& control) {
  auto statisticsOf = [](const ReadText& text) {
    return statisticsFrom(text.lowered.size(), text.counts);
  };
  if (!control.IsMultiLine()) return statisticsOf(readNow(control));
  return statisticsOf(readText(control));
}

}  // namespace verbolt
