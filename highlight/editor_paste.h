// Pasting into the editor. The toolkit's own paste scrolls to the end of
// what it pasted, which makes it lay out every line above first: seconds
// for a novel pasted at once, during which no key is taken. The editor's
// paste puts the text in as the writer's own action (undone in one step)
// and follows the caret only for a paste short enough to lay out at once;
// after a longer one, the caret stays at the start of the pasted text.
#pragma once

class wxTextCtrl;

namespace verbolt {

// Makes every paste into `editor` (keys, menus) the editor's own.
void takeOverPaste(wxTextCtrl& editor);

// Longer pastes leave the view and the caret where they were: at the start
// of the pasted text, which stays in sight.
constexpr long kPasteFollowedUpTo = 20000;

}  // namespace verbolt
