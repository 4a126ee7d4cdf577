// Identifiers of the main window's commands and windows. The section
// switches and help buttons carry the string ids of their titles and help
// texts.
#pragma once

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
};

// String ids of the texts that label the window.
enum StringId {
  kStrWelcome = 0,
  kStrFileMenu = 1,
  kStrHelp = 2,
  kStrHelpAddress = 3,
  kStrQuit = 4,
  kStrAboutItem = 5,
  kStrSettings = 6,
  kStrProcess = 7,
  kStrClear = 8,
  kStrStats = 9,
  kStrTop100 = 10,
  kStrAddToSkipWords = 11,
  kStrToggleHidden = 12,
  kStrTextInformation = 62,
  kStrStatisticsFormat = 63,
  kStrHelpCaption = 64,
  kStrAboutTitle = 65,
  kStrAboutText = 66,
  kStrSiteAddress = 67,
  kStrCommandFailed = 68,
  kStrNotEnoughMemory = 69,
  kStrUnexpectedError = 70,
};

// Section switches (check boxes) and help buttons.
enum SectionId {
  kSwitchSkip = 13,
  kHelpSkip = 14,
  kSwitchSame = 21,
  kHelpSame = 22,
  kSwitchClose = 27,
  kHelpClose = 28,
  kSwitchDistant = 32,
  kHelpDistant = 33,
  kSwitchWords = 38,
  kHelpWords = 39,
  kSwitchPhrases = 49,
  kHelpPhrases = 50,
  kTitleHidden = 57,
  kHelpHidden = 58,
};
