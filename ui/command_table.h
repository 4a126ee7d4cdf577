// The main window's commands, each declared once: its label, the menu that
// lists it, its keys and its toolbar button. The menu bar, the accelerator
// table and the toolbars' buttons are all built from the one table; what a
// command does is FrameMain's event table's business.
#pragma once

#include <wx/accel.h>

#include <span>

#include "strings/string_id.h"

class wxMenu;
class wxMenuBar;
class wxToolBar;

namespace verbolt {

// The menus of the bar and their submenus.
enum class MenuName { kNoMenu, kMenuBar, kFile, kExport, kRecentFiles, kEdit, kHelp };
// The toolbars of the top row.
enum class BarName { kNoBar, kSettingsBar, kCommandBar, kTop100Bar };

// A key with its modifiers (wxACCEL_...). A window-wide key works whatever
// has the keyboard, the editor included; the others are left to the
// focused text control, which has them too.
struct Shortcut {
  int modifiers;
  int key;  // 0: none
  bool windowWide;
};
inline constexpr Shortcut kNoKey{wxACCEL_NORMAL, 0, false};

// The menu that lists a command, in table order; a separator comes between
// groups.
struct MenuPlace {
  MenuName menu;
  int group;
};
inline constexpr MenuPlace kInNoMenu{MenuName::kNoMenu, 0};

// A toolbar button; a toggle button starts pressed, its pane shown, and
// is a check item in a menu that lists it too.
struct Tool {
  BarName bar;
  const char* icon;
  bool toggle;
  // On the button, when the menu's label is too long for the bar;
  // kMenuLabel: the button shows the menu's label.
  StringId shortLabel = StringId(0);
};
// No button is labelled with the welcome text, string 0.
inline constexpr StringId kMenuLabel = StringId(0);
inline constexpr Tool kNoTool{BarName::kNoBar, nullptr, false};

struct Command {
  int id;
  StringId label;  // in the menu and on the button
  MenuPlace place;
  Shortcut key;       // written in the menu, if the command has one
  Shortcut otherKey;  // a second key, written nowhere
  Tool tool;
};

// A menu of the bar or a submenu, which closes its group in `within`.
struct Menu {
  MenuName name;
  StringId title;
  MenuName within;
  int group;
};

std::span<const Command> commandTable();
std::span<const Menu> menuTable();

// The menu bar with every menu of the table; `recentFiles` receives the
// submenu the recent files fill.
wxMenuBar* buildMenuBar(wxMenu** recentFiles);
// The window-wide keys of every command.
wxAcceleratorTable buildAcceleratorTable();
// Adds the buttons of `which` to `bar`, in table order.
void addTools(wxToolBar& bar, BarName which);

}  // namespace verbolt
