// Windows-1252, the program's text encoding, and its Unicode equivalents.
#pragma once

#include <string>
#include <string_view>

namespace verbolt {

// The five bytes that Windows-1252 leaves undefined decode to the control
// character of the same value, so every byte round-trips.
char32_t decodeCp1252(unsigned char byte);

// A character outside Windows-1252 (emoji, CJK, a combining mark...)
// becomes this single separator byte, so positions stay one per character.
constexpr unsigned char kUnmappableByte = 0x1A;
unsigned char encodeCp1252(char32_t c);

std::string cp1252ToUtf8(std::string_view text);

// Decodes UTF-8 into Windows-1252, one byte per character exactly as the
// editor's text reaches the engine (characters outside the code page become
// kUnmappableByte). Returns false at the first invalid sequence, with its
// byte offset in `errorOffset`.
bool utf8ToCp1252(std::string_view utf8, std::string& out, size_t& errorOffset);

}  // namespace verbolt
