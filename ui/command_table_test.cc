// The command table against the window built from it: a row added to the
// table is a command the writer can reach and the frame answers.
#include "ui/command_table.h"

#include <gtest/gtest.h>
#include <wx/menu.h>
#include <wx/toolbar.h>

#include <set>
#include <utility>

#include "resources/icons.h"
#include "ui/frame_main.h"
#include "ui/ids.h"
#include "ui/localized.h"
#include "ui/main_window_fixture.h"

namespace verbolt {

namespace {

// FrameMain's static event table, which only the class and its heirs see.
struct FrameMainEvents : FrameMain {
  static bool HandlesMenu(int id) {
    for (const wxEventTableEntry* entry = sm_eventTable.entries; entry->m_fn; ++entry) {
      const int last = entry->m_lastId == wxID_ANY ? entry->m_id : entry->m_lastId;
      if (entry->m_eventType == wxEVT_MENU && entry->m_id <= id && id <= last) return true;
    }
    return false;
  }
};

TEST(CommandTable, EveryCommandHasAHandlerALabelAndAWayToIt) {
  for (const Command& command : commandTable()) {
    SCOPED_TRACE(command.id);
    EXPECT_TRUE(FrameMainEvents::HandlesMenu(command.id));
    EXPECT_FALSE(localized(command.label).empty());
    const bool reached = command.place.menu != MenuName::kNoMenu ||
                         command.tool.bar != BarName::kNoBar ||
                         (command.key.windowWide && command.key.key != 0);
    EXPECT_TRUE(reached);
    EXPECT_EQ(command.place.group != 0, command.place.menu != MenuName::kNoMenu);
    EXPECT_EQ(command.tool.icon != nullptr, command.tool.bar != BarName::kNoBar);
    if (command.tool.icon) {
      EXPECT_TRUE(iconBitmap(command.tool.icon).IsOk()) << command.tool.icon;
    }
  }
}

TEST(CommandTable, NoKeyAndNoIdServesTwoCommands) {
  std::set<int> ids;
  std::set<std::pair<int, int>> keys;
  for (const Command& command : commandTable()) {
    EXPECT_TRUE(ids.insert(command.id).second) << command.id;
    for (const Shortcut& key : {command.key, command.otherKey}) {
      if (key.key == 0) continue;
      EXPECT_TRUE(keys.insert({key.modifiers, key.key}).second)
          << wxAcceleratorEntry(key.modifiers, key.key).ToRawString();
    }
  }
}

TEST(CommandTable, EverySubmenuSitsInAMenuOfTheBar) {
  std::set<MenuName> made = {MenuName::kMenuBar};
  for (const Menu& menu : menuTable()) {
    EXPECT_TRUE(made.contains(menu.within)) << static_cast<int>(menu.name);
    EXPECT_TRUE(made.insert(menu.name).second) << static_cast<int>(menu.name);
  }
  for (const Command& command : commandTable()) {
    if (command.place.menu != MenuName::kNoMenu) {
      EXPECT_TRUE(made.contains(command.place.menu)) << command.id;
    }
  }
}

// The window as built: the menus write the keys that work.
TEST_F(MainWindow, TheMenusWriteTheKeysOfTheTable) {
  FrameMain& frame = openFrame();
  wxMenuBar& bar = *frame.GetMenuBar();
  for (const Command& command : commandTable()) {
    if (command.place.menu == MenuName::kNoMenu) {
      EXPECT_EQ(bar.FindItem(command.id), nullptr) << command.id;
      continue;
    }
    wxMenuItem* item = bar.FindItem(command.id);
    ASSERT_NE(item, nullptr) << command.id;
    EXPECT_EQ(item->GetItemLabelText(), wxStripMenuCodes(localized(command.label)));
    std::unique_ptr<wxAcceleratorEntry> shown(item->GetAccel());
    if (command.key.key == 0) {
      EXPECT_EQ(shown, nullptr) << command.id;
    } else {
      ASSERT_NE(shown, nullptr) << command.id;
      EXPECT_EQ(shown->GetFlags(), command.key.modifiers) << command.id;
      EXPECT_EQ(shown->GetKeyCode(), command.key.key) << command.id;
    }
  }
}

}  // namespace

}  // namespace verbolt
