// Identifiers of the main window's commands and windows. The section
// switches and help buttons carry the string ids of their titles and help
// texts.
#pragma once

#include "strings/string_id.h"

namespace verbolt {

enum CommandId {
  kIdQuit = 1000,
  kIdAbout = 1001,
  kIdHelp = 1002,
  kIdToggleSettings = 1003,
  kIdProcess = 1004,
  kIdClear = 1005,
  kIdStats = 1006,
  kIdToggleTop100 = 1007,
  kIdEditor = 1008,
  kIdSettingsBar = 1011,
  kIdCommandBar = 1012,
  kIdTop100Bar = 1013,
  kIdLegend = 1014,
  kIdOpen = 1015,
  kIdSave = 1016,
  kIdSaveAs = 1017,
  kIdExportHtml = 1018,
  kIdExportOdt = 1019,
  kIdExportCsv = 1020,
  kIdUndo = 1021,
  kIdRedo = 1022,
  kIdCut = 1023,
  kIdCopy = 1024,
  kIdPaste = 1025,
  kIdSelectAll = 1026,
  kIdNextFinding = 1027,
  kIdPreviousFinding = 1028,
  kIdTop100 = 1029,
  kIdDiscardRecovered = 1030,
  kIdSkipNames = 1031,
  kIdOpenBookList = 1032,
  kIdExportDocx = 1033,
  kIdTopPhrases = 1034,
  kIdLegendEchoPhrases = 1035,
  kIdLegendEchoOpenings = 1036,
  kIdColourAsYouType = 1037,
  kIdEchoPhrases = 1040,
  kIdEchoOpenings = 1041,
  // The View menu: the overview strip and the palettes, in the order of
  // PaletteName.
  kIdOverviewStrip = 1050,
  kIdPaletteStandard = 1051,
  kIdPaletteColourBlind = 1052,
  kIdPaletteDark = 1053,
};

// The status line: what the window has to tell (where the walk through
// the findings stands, a text brought back), and the number of words.
enum StatusField { kWhereField, kWordsField };

// Section switches (check boxes) and help buttons.
enum SectionId {
  kSwitchSkip = kStrSkipWords,
  kHelpSkip = kStrSkipWordsHelp,
  kSwitchSame = kStrSimilarWords,
  kHelpSame = kStrSimilarWordsHelp,
  kSwitchClose = kStrCloseRepetitions,
  kHelpClose = kStrCloseRepetitionsHelp,
  kSwitchDistant = kStrDistantRepetitions,
  kHelpDistant = kStrDistantRepetitionsHelp,
  kSwitchWords = kStrSearchWords,
  kHelpWords = kStrSearchWordsHelp,
  kSwitchPhrases = kStrSearchPhrases,
  kHelpPhrases = kStrSearchPhrasesHelp,
  kTitleHidden = kStrHiddenRepetitions,
  kHelpHidden = kStrHiddenRepetitionsHelp,
  kTitleEchoes = kStrEchoes,
  kHelpEchoes = kStrEchoesHelp,
};

}  // namespace verbolt
