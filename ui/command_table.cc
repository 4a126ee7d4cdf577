#include "ui/command_table.h"

#include <wx/menu.h>
#include <wx/toolbar.h>

#include <algorithm>
#include <map>
#include <vector>

#include "resources/icons.h"
#include "ui/ids.h"
#include "ui/localized.h"

namespace verbolt {

namespace {

constexpr Shortcut ctrl(int key) { return {wxACCEL_CTRL, key, true}; }
constexpr Shortcut ctrlShift(int key) { return {wxACCEL_CTRL | wxACCEL_SHIFT, key, true}; }
constexpr Shortcut plain(int key) { return {wxACCEL_NORMAL, key, true}; }
constexpr Shortcut shift(int key) { return {wxACCEL_SHIFT, key, true}; }
// The text controls have the clipboard keys themselves.
constexpr Shortcut textCtrl(int key) { return {wxACCEL_CTRL, key, false}; }

constexpr Tool button(BarName bar, const char* icon) { return {bar, icon, false}; }
constexpr Tool toggle(BarName bar, const char* icon, StringId shortLabel = kMenuLabel) {
  return {bar, icon, true, shortLabel};
}

using enum MenuName;
using enum BarName;

// One row a command; a menu lists its commands in this order.
// clang-format off
const Command kCommands[] = {
  // id                label                menu          key             other key  toolbar button
  {kIdOpen,            kStrOpen,            {kFile, 1},   ctrl('O'),      kNoKey,    kNoTool},
  {kIdSave,            kStrSave,            {kFile, 1},   ctrl('S'),      kNoKey,    kNoTool},
  {kIdSaveAs,          kStrSaveAs,          {kFile, 1},   ctrlShift('S'), kNoKey,    kNoTool},
  {kIdDiscardRecovered, kStrDiscardRecovered, {kFile, 1}, kNoKey,        kNoKey,    kNoTool},
  {kIdExportHtml,      kStrExportHtml,      {kExport, 1}, kNoKey,         kNoKey,    kNoTool},
  {kIdExportOdt,       kStrExportOdt,       {kExport, 1}, kNoKey,         kNoKey,    kNoTool},
  {kIdExportDocx,      kStrExportDocx,      {kExport, 1}, kNoKey,         kNoKey,    kNoTool},
  {kIdExportCsv,       kStrExportCsv,       {kExport, 1}, kNoKey,         kNoKey,    kNoTool},
  {kIdQuit,            kStrQuit,            {kFile, 2},   ctrl('Q'),      kNoKey,    kNoTool},
  {kIdUndo,            kStrUndo,            {kEdit, 1},   ctrl('Z'),      kNoKey,    kNoTool},
  {kIdRedo,            kStrRedo,            {kEdit, 1},   ctrlShift('Z'), ctrl('Y'), kNoTool},
  {kIdCut,             kStrCut,             {kEdit, 2},   textCtrl('X'),  kNoKey,    kNoTool},
  {kIdCopy,            kStrCopy,            {kEdit, 2},   textCtrl('C'),  kNoKey,    kNoTool},
  {kIdPaste,           kStrPaste,           {kEdit, 2},   textCtrl('V'),  kNoKey,    kNoTool},
  {kIdSelectAll,       kStrSelectAll,       {kEdit, 2},   textCtrl('A'),  kNoKey,    kNoTool},
  {kIdNextFinding,     kStrNextFinding,     {kEdit, 3},   plain(WXK_F3),  kNoKey,    kNoTool},
  {kIdPreviousFinding, kStrPreviousFinding, {kEdit, 3},   shift(WXK_F3),  kNoKey,    kNoTool},
  {kIdHelp,            kStrHelp,            {kHelp, 1},   kNoKey,         kNoKey,    kNoTool},
  {kIdAbout,           kStrAboutItem,       {kHelp, 1},   kNoKey,         kNoKey,    kNoTool},
  {kIdToggleSettings,  kStrSettings,        kInNoMenu,    kNoKey,         kNoKey,    toggle(kSettingsBar, "ICON_OPTIONS")},
  {kIdProcess,         kStrProcess,         kInNoMenu,    plain(WXK_F5),  kNoKey,    button(kCommandBar, "ICON_PROCESS")},
  {kIdColourAsYouType, kStrColourAsYouType, {kEdit, 4}, plain(WXK_F8),  kNoKey,    toggle(kCommandBar, "ICON_LIVE", kStrLiveButton)},
  {kIdClear,           kStrClear,           kInNoMenu,    plain(WXK_F6),  kNoKey,    button(kCommandBar, "ICON_CLEAR")},
  {kIdStats,           kStrStats,           kInNoMenu,    plain(WXK_F7),  kNoKey,    button(kCommandBar, "ICON_INFO")},
  {kIdToggleTop100,    kStrTop100,          kInNoMenu,    kNoKey,         kNoKey,    toggle(kTop100Bar, "ICON_LIST")},
};

const Menu kMenus[] = {
  // menu         title            within     group
  {kFile,         kStrFileMenu,    kMenuBar,  0},
  {kExport,       kStrExport,      kFile,     1},
  {kRecentFiles,  kStrRecentFiles, kFile,     1},
  {kEdit,         kStrEditMenu,    kMenuBar,  0},
  {kHelp,         kStrHelp,        kMenuBar,  0},
};
// clang-format on

// What a menu lists: a command, or a submenu.
struct MenuItem {
  int group;
  const Command* command;
  const Menu* submenu;
};

wxString menuLabel(const Command& command) {
  wxString label = localized(command.label);
  if (command.key.key != 0) {
    label += "\t" + wxAcceleratorEntry(command.key.modifiers, command.key.key).ToRawString();
  }
  return label;
}

wxMenu* buildMenu(MenuName name, std::map<MenuName, wxMenu*>& made) {
  std::vector<MenuItem> items;
  for (const Command& command : kCommands) {
    if (command.place.menu == name) items.push_back({command.place.group, &command, nullptr});
  }
  for (const Menu& menu : kMenus) {
    if (menu.within == name) items.push_back({menu.group, nullptr, &menu});
  }
  // Commands first within a group, then the submenus that close it.
  std::stable_sort(items.begin(), items.end(),
                   [](const MenuItem& a, const MenuItem& b) { return a.group < b.group; });
  auto* menu = new wxMenu;
  made[name] = menu;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i > 0 && items[i].group != items[i - 1].group) menu->AppendSeparator();
    if (items[i].command && items[i].command->tool.toggle) {
      menu->AppendCheckItem(items[i].command->id, menuLabel(*items[i].command));
    } else if (items[i].command) {
      menu->Append(items[i].command->id, menuLabel(*items[i].command));
    } else {
      const Menu& submenu = *items[i].submenu;
      menu->AppendSubMenu(buildMenu(submenu.name, made), localized(submenu.title));
    }
  }
  return menu;
}

}  // namespace

std::span<const Command> commandTable() { return kCommands; }
std::span<const Menu> menuTable() { return kMenus; }

wxMenuBar* buildMenuBar(wxMenu** recentFiles) {
  std::map<MenuName, wxMenu*> made;
  auto* bar = new wxMenuBar;
  for (const Menu& menu : kMenus) {
    if (menu.within == kMenuBar) bar->Append(buildMenu(menu.name, made), localized(menu.title));
  }
  *recentFiles = made[kRecentFiles];
  return bar;
}

wxAcceleratorTable buildAcceleratorTable() {
  std::vector<wxAcceleratorEntry> entries;
  for (const Command& command : kCommands) {
    for (const Shortcut& key : {command.key, command.otherKey}) {
      if (key.key != 0 && key.windowWide) entries.emplace_back(key.modifiers, key.key, command.id);
    }
  }
  return wxAcceleratorTable(static_cast<int>(entries.size()), entries.data());
}

void addTools(wxToolBar& bar, BarName which) {
  for (const Command& command : kCommands) {
    const Tool& tool = command.tool;
    if (tool.bar != which) continue;
    const wxString label =
        localized(tool.shortLabel != kMenuLabel ? tool.shortLabel : command.label);
    if (tool.toggle) {
      bar.AddCheckTool(command.id, label, iconBitmap(tool.icon));
      bar.ToggleTool(command.id, true);
    } else {
      bar.AddTool(command.id, label, iconBitmap(tool.icon));
    }
  }
}

}  // namespace verbolt
