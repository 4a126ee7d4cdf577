// The ids of the string table's entries. Every text the program shows is
// named here once; the gaps are ids the table has never held.
#pragma once

namespace verbolt {

enum StringId : int {
  // Welcome text and main menus.
  kStrWelcome = 0,
  kStrFileMenu = 1,
  kStrHelp = 2,
  kStrHelpAddress = 3,
  kStrQuit = 4,
  kStrAboutItem = 5,
  // Toolbars.
  kStrSettings = 6,
  kStrProcess = 7,
  kStrClear = 8,
  kStrStats = 9,
  kStrTop100 = 10,
  // The editor's context menu.
  kStrAddToSkipWords = 11,
  kStrToggleHidden = 12,
  // Settings pane: words to skip.
  kStrSkipWords = 13,
  kStrSkipWordsHelp = 14,
  kStrLessThan = 16,
  kStrOrMoreThan = 17,
  kStrSkipLetters = 18,
  kStrListToSkip = 19,
  kStrDefaultSkipWords = 20,
  // Similar words.
  kStrSimilarWords = 21,
  kStrSimilarWordsHelp = 22,
  kStrNumberOfLetters = 25,
  kStrPercentOfWord = 26,
  // Close repetitions.
  kStrCloseRepetitions = 27,
  kStrCloseRepetitionsHelp = 28,
  kStrCloseMaxDistance = 30,
  kStrCloseLetters = 31,
  // Distant repetitions.
  kStrDistantRepetitions = 32,
  kStrDistantRepetitionsHelp = 33,
  kStrDistantMaxDistance = 35,
  kStrDistantLetters = 36,
  kStrMinRepetitions = 37,
  // Search for words.
  kStrSearchWords = 38,
  kStrSearchWordsHelp = 39,
  kStrWordsBetween = 42,
  kStrWordsAnd = 43,
  kStrWordsLetters = 44,
  kStrWordList = 45,
  kStrDefaultWordsList = 46,
  kStrPartWordList = 47,
  kStrDefaultWordsPartsList = 48,
  // Search for phrases.
  kStrSearchPhrases = 49,
  kStrSearchPhrasesHelp = 50,
  kStrPhrasesList = 53,
  kStrDefaultPhrasesList = 54,
  // Temporary hidden repetitions.
  kStrHiddenRepetitions = 57,
  kStrHiddenRepetitionsHelp = 58,
  kStrHiddenWordList = 60,
  // Statistics, help and About boxes.
  kStrTextInformation = 62,
  kStrStatisticsFormat = 63,
  kStrHelpCaption = 64,
  kStrAboutTitle = 65,
  kStrAboutText = 66,
  kStrSiteAddress = 67,
  // Failures of a command.
  kStrCommandFailed = 68,
  kStrNotEnoughMemory = 69,
  kStrUnexpectedError = 70,
  // Manuscripts: the File menu and its messages.
  kStrOpen = 71,
  kStrSave = 72,
  kStrSaveAs = 73,
  kStrExport = 74,
  kStrExportHtml = 75,
  kStrExportOdt = 76,
  kStrExportCsv = 77,
  kStrRecentFiles = 78,
  kStrSaveChanges = 79,
  kStrCannotOpen = 80,
  kStrCannotSave = 81,
  kStrRecentFileGone = 82,
  kStrSaveAsUtf8 = 83,
  kStrSaveDocumentAsText = 84,
  kStrManuscripts = 85,
  kStrAllFiles = 86,
  kStrMarkedWord = 87,
  // The Edit menu.
  kStrEditMenu = 88,
  kStrUndo = 89,
  kStrRedo = 90,
  kStrCut = 91,
  kStrCopy = 92,
  kStrPaste = 93,
  kStrSelectAll = 94,
  kStrNextFinding = 95,
  kStrPreviousFinding = 96,
  // The status line.
  kStrCloseFinding = 97,
  kStrDistantFinding = 98,
  kStrSearchedFinding = 99,
  kStrPhraseFinding = 100,
  kStrMarkedFinding = 101,
  kStrWordCount = 102,
  kStrNoFinding = 103,
  // The kind of similar words.
  kStrSameBeginning = 110,
  kStrSameDictionaryForm = 111,
  kStrFrenchDictionary = 112,
  kStrEnglishDictionary = 113,
  kStrDictionaryMissing = 114,
  // What saving a file just opened would change of it.
  kStrUndecodableBytes = 120,
  kStrMixedLineEnds = 121,
  // Recovery of unsaved text, and saves over a file changed elsewhere.
  kStrDiscardRecovered = 130,
  kStrRecovered = 131,
  kStrRecoveredFileChanged = 132,
  kStrRecoveryDiscarded = 133,
  kStrRecoveryFailed = 134,
  kStrFileChangedOnDisk = 135,
  kStrOverwrite = 136,
  kStrSaveAsButton = 137,
  kStrUntitled = 138,
  // The verbs on the buttons of the File menu's questions.
  kStrSaveButton = 139,
  kStrCloseWithoutSaving = 140,
  kStrOpenWithoutSaving = 141,
  kStrSaveAsUtf8Button = 142,
  kStrSaveAsTextButton = 143,
  // The book's own list of words to skip.
  kStrIgnoreInBook = 144,
  kStrIgnoredInBook = 145,
  kStrNoBookList = 146,
  kStrCannotIgnore = 147,
  kStrSkipNames = 148,
  kStrBookList = 149,
  kStrNoBookFile = 150,
  kStrOpenBookList = 151,
  kStrCannotSaveIntoDocument = 152,
  kStrExportDocx = 153,
};

}  // namespace verbolt
