// Text inside XML and HTML files: the documents the program writes and
// the word-processor bodies it saves into.
#pragma once

#include <string>
#include <string_view>

namespace verbolt {

// Appends UTF-8 `text` escaped for an XML or HTML text node or a quoted
// attribute. The characters XML cannot hold (C0 controls but tab, line
// feed and carriage return; U+FFFE, U+FFFF; a stray byte) become U+FFFD,
// one for one, so the characters after them keep their positions.
void appendXmlText(std::string& out, std::string_view text);

}  // namespace verbolt
