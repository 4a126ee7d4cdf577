// UTF-8 one character at a time, for the layers that take text in and out
// of files: the editor counts positions in characters, not bytes.
#pragma once

#include <string>
#include <string_view>

namespace verbolt {

constexpr char32_t kReplacementCharacter = 0xFFFD;

// Appends `c` (any code point up to U+10FFFF) in UTF-8.
void appendUtf8(std::string& out, char32_t c);

// The character that starts at `i`, with `i` moved past it. An invalid or
// cut sequence gives kReplacementCharacter and moves one byte on, so every
// byte belongs to exactly one character.
char32_t nextUtf8Char(std::string_view text, size_t& i);

// The character at `i` when the bytes there are one valid sequence (no
// overlong form, surrogate or code point beyond Unicode), with its byte
// length; a negative value when they are not.
long validUtf8CharAt(std::string_view text, size_t i, int& length);

// Number of characters, as nextUtf8Char walks them.
size_t utf8CharCount(std::string_view text);

bool isValidUtf8(std::string_view text);

}  // namespace verbolt
