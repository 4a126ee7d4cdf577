// The marks that end a sentence and those that open a line of dialogue or
// a quotation, in Windows-1252: where a sentence starts, for the names of
// characters and for the sentences that open alike.
#pragma once

namespace verbolt {

// ".", "!", "?", "…" and the end of a paragraph.
inline bool endsASentence(unsigned char c) {
  return c == '.' || c == '!' || c == '?' || c == 0x85 || c == '\n' || c == '\r';
}

// Quotes and dialogue dashes: the word after them may start a sentence.
inline bool opensDialogue(unsigned char c) {
  switch (c) {
    case '"':
    case '\'':
    case 0x91:  // ‘
    case 0x93:  // “
    case 0xAB:  // «
    case '-':
    case 0x96:  // –
    case 0x97:  // —
      return true;
    default:
      return false;
  }
}

}  // namespace verbolt
