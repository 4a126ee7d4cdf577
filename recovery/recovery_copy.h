// A recovery copy: the editor's text as the writer left it, kept in the
// user's state folder until it is saved, so that a crash, a kill or a
// logout loses nothing typed. A full copy of the text (the snapshot) is
// written now and then; the edits made since are appended to a journal
// beside it, which costs the disk what the writer typed, not the length
// of the book.
//
// Both files are a row of fields, each "NAME LENGTH\n" followed by LENGTH
// bytes and "\n", so that any path and any text fit, and a journal cut
// short by a kill ends at its last whole field.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_stamp.h"
#include "manuscript/text_format.h"

namespace verbolt {

struct RecoveredText {
  std::string documentPath;  // empty for a text that has no file yet
  TextFormat format;
  // The file as it was when opened or last saved, to tell whether another
  // program changed it since.
  std::optional<FileStamp> documentStamp;
  int64_t caret = 0;
  std::string utf8;
  friend bool operator==(const RecoveredText&, const RecoveredText&) = default;
};

// An edit of the editor's text: `removed` characters from `position` on
// give way to `inserted` (UTF-8). Positions count characters, as the
// editor does.
struct EditorChange {
  int64_t position = 0;
  int64_t removed = 0;
  std::string inserted;
  friend bool operator==(const EditorChange&, const EditorChange&) = default;
};

// The snapshot file of `text`. A journal goes with the snapshot of the
// same generation only: one begun before the snapshot was taken holds
// edits the snapshot already has.
std::string snapshotBytes(const RecoveredText& text, uint64_t generation);
// The beginning of the journal that goes with snapshot `generation`.
std::string journalHeader(uint64_t generation);
// Journal fields for `changes`, made in that order, and the caret after them.
std::string journalBytes(const std::vector<EditorChange>& changes, int64_t caret);

// The text a snapshot and its journal give; none when the snapshot is not
// one. The journal is left out when it belongs to another snapshot, and
// read up to its last whole field or its first edit that does not fit
// the text.
std::optional<RecoveredText> readRecovery(std::string_view snapshot, std::string_view journal);

// Makes `change` in `utf8`; false, leaving it as it was, when the change
// reaches beyond the text.
bool applyChange(std::string& utf8, const EditorChange& change);

// The number of characters of `utf8`.
int64_t characterCount(std::string_view utf8);

}  // namespace verbolt
