#include "strings/localized_text.h"

namespace verbolt {

// Texts are Windows-1252 bytes; every byte above 0x7F is written as a hex
// escape so the bytes do not depend on how this file is encoded. An escape
// followed by a hex digit is closed and the literal reopened, otherwise the
// digit would be taken into the escape.

namespace {

const char kSiteAddress[] = "https://verbolt.example.org";
const char kFirstAuthor[] = "Alice Martin";
const char kSecondAuthor[] = "Bruno Lefort";

// The About dialog puts the program's version in place of "%s".
std::string aboutText(const std::string& designLabel, const std::string& programmingLabel,
                      const std::string& testsLabel, const std::string& moreInformationLabel) {
  return "\nVerbolt 2 \n%s\n\n" + designLabel + kFirstAuthor + " and " + kSecondAuthor + "\n" +
         programmingLabel + kFirstAuthor + "\n" + testsLabel + kSecondAuthor + "\n" + "\n" +
         moreInformationLabel;
}

StringTable buildStringTable() {
  const std::string site = kSiteAddress;
  // clang-format off
  return {
      {kStrWelcome,
       {"Welcome in Verbolt 2.\n"
        "\n"
        "This is an example of a text to show you the features of the software. Delete it "
        "and copy-paste the text you wish to process its repetitions (use the usual keyboard "
        "shortcuts CTRL+A, CTRL+C and CTRL+V).\n"
        "\n"
        "Then click on the button \"Process text\" (shortcut: F5):\n"
        "- The close repetitions (2 close occurrences) will be highlighted in yellow.\n"
        "- The distant repetitions (a word with multiple but distant occurrences) will be "
        "highlighted in green.\n"
        "- On the right panel the most often used words will be displayed.\n"
        "- If you click on a word of the text or of the top-100, all of its occurrences will "
        "be highlighted in red.\n"
        "\n"
        "You can modify the parameters of those features in the left panel.\n"
        "\n"
        "Lots of new features have been added in Verbolt 2, such as:\n"
        "- Search for specific words, for example from list of prefixes, radicals or "
        "suffixes.\n"
        "- Search for phrases.\n"
        "- Possibility to temporary hide some repetitions (alt+click on a word of the text).\n",
        "Bienvenue dans le logiciel Verbolt 2.\n"
        "\n"
        "Ceci est un exemple de texte destin\xE9 \xE0 montrer les fonctionnalit\xE9s du "
        "logiciel. Effacez-le et copiez-collez le texte dont vous souhaitez analyser les "
        "r\xE9p\xE9titions (utilisez les raccourcis claviers classiques CTRL+A, CTRL+C et "
        "CTRL+V). \n"
        "\n"
        "Cliquez ensuite sur le bouton \"traiter le texte\" (raccourci F5) : \n"
        "- Les r\xE9p\xE9titions proches (2 occurrences proches) seront surlign\xE9" "es en "
        "jaune. \n"
        "- Les r\xE9p\xE9titions distantes (un mot ayant de nombreuses occurences mais "
        "\xE9loign\xE9" "es) seront surlign\xE9" "es en vert.\n"
        "- Sur le panneau de droite s'afficheront les mots du texte les plus utilis\xE9s "
        "(top-100).\n"
        "- En cliquant sur un mot du texte ou du top-100, toutes les occurrences de celui-ci "
        "seront surlign\xE9" "es en rouge.\n"
        "\n"
        "Vous pouvez modifier les param\xE8tres de ces diff\xE9rentes fonctionnalit\xE9s sur "
        "le panneau de gauche.\n"
        "\n"
        "Pr\xE9" "cision importante\xA0: selon l\x92option que vous choisirez avec le filtre "
        "\xAB\xA0Mots voisins\xA0\xBB, vos recherches vous rendront des occurrences exactes "
        "ou des occurrences approch\xE9" "es.\n"
        "\n"
        "De nouvelles fonctionnalit\xE9s ont \xE9t\xE9 ajout\xE9" "es, dont:\n"
        "- Recherche de mots sp\xE9" "cifiques, en particulier via des listes de "
        "pr\xE9" "fixes, radicaux ou suffixes : vous pouvez maintenant traquer dans vos "
        "textes les adverbes en \xAB\xA0" "ement\xA0\xBB quand vous les utilisez abusivement "
        "(m\xEAme s\x92ils sont diff\xE9rents), rechercher les usages trop souvent "
        "r\xE9p\xE9t\xE9s des auxiliaires ETRE et AVOIR, l\x92utlisation trop fr\xE9quente "
        "de certains radicaux, etc.\n"
        "- Recherche de phrases enti\xE8res et d'expressions \"tics d'\xE9" "criture\" "
        "(m\xEAme si les ponctuations des phrases sont diff\xE9rentes)\n"
        "- Possibilit\xE9 de cacher temporairement des r\xE9p\xE9titions (alt+clic sur un "
        "mot du texte).\n"
        "- La mise en forme \xAB\xA0traitements de textes\xA0\xBB est d\xE9sormais "
        "respect\xE9" "e.\n"
        "\n"
        "Pour obtenir plus de pr\xE9" "cisions sur toutes ces fonctionnalit\xE9s, consultez "
        "l'aide ou cliquez sur les boutons \"?\" (micro-bulles d'aide)."}},
      {kStrFileMenu, {"&File", "&Fichier"}},
      {kStrHelp, {"&Help", "&Aide"}},
      {kStrHelpAddress, {site + "?p=help", site + "?l=fr&p=help"}},
      {kStrQuit, {"&Quit", "&Quitter"}},
      {kStrAboutItem, {"&About...", "&A propos de..."}},
      {kStrSettings, {"Settings", "R\xE9glages"}},
      {kStrProcess, {"Process (F5)", "Traiter (F5)"}},
      {kStrClear, {"Clear (F6)", "Effacer (F6)"}},
      {kStrStats, {"Stats (F7)", "Stats (F7)"}},
      {kStrTop100, {"Top-100", "Top-100"}},
      {kStrAddToSkipWords,
       {"Add to \"Words to skip\" (CTRL+click)",
        "Ajouter aux \"Mots \xE0 ignorer\" (CTRL+clic)"}},
      {kStrToggleHidden,
       {"Add/Remove from \"Hidden repetitions\" (ALT+click)",
        "Ajouter/Retirer des \"R\xE9p\xE9titions cach\xE9" "es\" (ALT+clic)"}},
      {kStrSkipWords, {"Words to skip", "Mots \xE0 ignorer"}},
      {kStrSkipWordsHelp,
       {"Manage words you don't want to take into account as repetitions. You can skip words "
        "according to their length or with a list of skipped word (separated by spaces).\n"
        "Shortcut: CTRL+Click on a word of the text to add it to the list.",
        "Ignorer certains mots dans la d\xE9tection des r\xE9p\xE9titions. Vous pouvez "
        "r\xE9gler les mots \xE0 ignorer selon leur taille ou via une liste de mots "
        "(s\xE9parer les mots par un espace).\n"
        "Raccourci: CTRL+Clic sur un mot du texte pour l'ajouter \xE0 la liste."}},
      {kStrLessThan, {"Less than", "Moins de"}},
      {kStrOrMoreThan, {" or more than", " ou plus de"}},
      {kStrSkipLetters, {" letters", " lettres"}},
      {kStrListToSkip, {"List to skip:", "Liste \xE0 ignorer :"}},
      {kStrDefaultSkipWords, {"I you he she it we they", "Je tu il elle nous vous ils elles le la les de du "}},
      {kStrSimilarWords, {"Similar words", "Mots voisins"}},
      {kStrSimilarWordsHelp,
       {"Words with the same beginning are counted as repetitions. This feature permits to "
        "detect as repetitions words like \"complete\" and \"completion\".\n"
        "You can adjust this similarity rate with two parameters: the minimum number, and "
        "the minimum percentage, of common letters between two words to detect them as "
        "repetitions.",
        "Compter les mots avec le m\xEAme d\xE9" "but comme des r\xE9p\xE9titions. Cette "
        "fonction permet de d\xE9tecter comme r\xE9p\xE9titions des mots comme \"utilisez\" "
        "et \"utilisation\".\n"
        "Vous pouvez r\xE9gler cet \"indice de ressemblance\" via deux param\xE8tres : le "
        "nombre minimum, et le pourcentage minimum, de lettres communes entre deux mots pour "
        "les compter comme des r\xE9p\xE9titions."}},
      {kStrNumberOfLetters, {"Number of letters:", "Nombre de lettres :"}},
      {kStrPercentOfWord, {"and percentage of word:", "et pourcentage du mot :"}},
      {kStrCloseRepetitions, {"Close repetitions", "R\xE9p\xE9titions proches"}},
      {kStrCloseRepetitionsHelp,
       {"Repetition of a word two times, close in the text. \"Similar words\" and \"Words to "
        "skip\" functionalities are managed if enabled.\n"
        " You can adjust the minimum distance between them.",
        "R\xE9p\xE9tition d'un mot deux fois, dont les occurrences sont proches. Les "
        "fonctions \"Mots voisins\" et \"Mots \xE0 ignorer\" sont g\xE9r\xE9" "es si elles "
        "sont activ\xE9" "es. \n"
        "Vous pouvez r\xE9gler cette distance maximale les s\xE9parant."}},
      {kStrCloseMaxDistance, {"Max distance: ", "Distance max :"}},
      {kStrCloseLetters, {" letters", " lettres"}},
      {kStrDistantRepetitions, {"Distant repetitions", "R\xE9p\xE9titions \xE9loign\xE9" "es"}},
      {kStrDistantRepetitionsHelp,
       {"Repetition of a word multiple times, their occurrences being distant in the text. "
        "\"Similar words\" and \"Words to skip\" functionalities are managed if enabled.\n"
        "You can adjust the minimum number of occurrences and the maximum distance including "
        "those occurrences.",
        "R\xE9p\xE9tition d'un mot de nombreuses fois, dont les occurrences sont assez "
        "\xE9loign\xE9" "es. Les fonctions \"Mots voisins\" et \"Mots \xE0 ignorer\" sont "
        "g\xE9r\xE9" "es si elles sont activ\xE9" "es.\n"
        "Vous pouvez r\xE9gler le nombre d'occurrences minimum et la distance maximale les "
        "s\xE9parant."}},
      {kStrDistantMaxDistance, {"Max distance:", "Distance max :"}},
      {kStrDistantLetters, {" letters", " lettres"}},
      {kStrMinRepetitions, {"Min number of repetitions:", "Nombre de r\xE9p\xE9titions min :"}},
      {kStrSearchWords, {"Search for words", "Recherche de mots"}},
      {kStrSearchWordsHelp,
       {"To find specific words, to help you get rid of overused words or sonorities.\n"
        "You have three tools at your disposal: search words by their size, search for a "
        "list of words, or search a part of words (prefixes, suffixes, radicals). Perfect to "
        "track adjectives, adverbs ending in \x93ly\x94 and overused auxiliaries.\n"
        "Separate words in lists by spaces.",
        "Pour chercher des mots sp\xE9" "cifiques, vous aider \xE0 vous d\xE9" "barrasser de "
        "mots ou sonorit\xE9s trop utilis\xE9" "es. Par exemple, l'usage trop fr\xE9quent "
        "des auxiliaires ETRE et AVOIR sous leurs diverses formes.\n"
        "Vous avez \xE0 disposition trois outils de recherche : recherche par taille de "
        "mots, recherche d'une liste de mots (fonction \"Mots voisins\" g\xE9r\xE9" "e si "
        "activ\xE9" "e), et recherche de parties de mots (pr\xE9" "fixes, radicaux, "
        "terminaisons, etc.). Cette derni\xE8re fonction vous permet par exemple de "
        "rep\xE9rer facilement les terminaisons r\xE9p\xE9t\xE9" "es d'adverbes en "
        "\"ement\", ou les r\xE9p\xE9titions de certaines sonorit\xE9s.\n"
        "S\xE9parez les mots dans les listes par des espaces."}},
      {kStrWordsBetween, {"Words between", "Mots entre"}},
      {kStrWordsAnd, {" and", " et"}},
      {kStrWordsLetters, {" letters", " lettres"}},
      {kStrWordList, {"Word list:", "Liste de mots :"}},
      {kStrDefaultWordsList, {"said told", "avait \xE9tait"}},
      {kStrPartWordList, {"Part word list:", "Liste de parties de mots :"}},
      {kStrDefaultWordsPartsList, {"able ation", "ement ation"}},
      {kStrSearchPhrases, {"Search for phrases", "Recherche d'expressions"}},
      {kStrSearchPhrasesHelp,
       {"Your overused phrases to find. One phrase per line.",
        "Le logiciel vous permet de rechercher des expressions (courtes ou longues), des "
        "tics d'\xE9" "criture qui reviennent souvent sous votre plume (m\xEAme si leur "
        "ponctuation est diff\xE9rente). Ecrivez une expression par ligne."}},
      {kStrPhrasesList, {"Phrases list:", "Liste d'expressions :"}},
      {kStrDefaultPhrasesList,
       {"Example of phrase to search\n"
        "Another example",
        "Exemple de phrase \xE0 chercher\n"
        "Autre exemple"}},
      {kStrHiddenRepetitions, {"Temporary hidden repetitions", "R\xE9p\xE9titions cach\xE9" "es temporairement"}},
      {kStrHiddenRepetitionsHelp,
       {"To allow you to focus on the repetitions you consider essential, you can temporary "
        "hide some of the detected repetitions. \"Similar words\" functionality is managed "
        "if enabled.\n"
        "Shortcut: ALT+Click on a word of the text to hide it or revert it back to normal.",
        "Pour vous permettre de vous concentrer visuellement sur les r\xE9p\xE9titions que "
        "vous jugez essentielles (limitation de l'effet \"papillon\" \xE0 l'\xE9" "cran), le "
        "logiciel vous permet de griser provisoirement certaines des r\xE9p\xE9titions "
        "d\xE9tect\xE9" "es. La fonction \"Mots voisins\" est g\xE9r\xE9" "e si "
        "activ\xE9" "e.\n"
        "Raccourci: ALT+Clic sur un mot du texte pour le griser ou lui rendre son surlignage "
        "originel."}},
      {kStrHiddenWordList, {"Word list:", "Liste de mots :"}},
      {kStrTextInformation, {"Text information", "Informations sur le texte"}},
      {kStrStatisticsFormat,
       {"%d words\n"
        "%d letters (excluding spaces)\n"
        "%d letters (including spaces)",
        "%d mots\n"
        "%d lettres (sans les espaces)\n"
        "%d lettres (espaces compris)"}},
      {kStrHelpCaption, {"Help : ", "Aide : "}},
      {kStrAboutTitle, {"About...", "A propos de..."}},
      {kStrAboutText,
       {aboutText("Design: ", "Programming: ", "Tests: ", "More informations:"),
        aboutText("Conception : ", "Programmation : ", "Tests : ", "Pour plus d'informations :")}},
      {kStrSiteAddress, {site, site + "/fr"}},
      {kStrCommandFailed,
       {"The command could not be completed: %s.\n"
        "The text and the settings are unchanged.",
        "La commande n'a pas pu aboutir : %s.\n"
        "Le texte et les r\xE9glages sont inchang\xE9s."}},
      {kStrNotEnoughMemory, {"not enough memory", "m\xE9moire insuffisante"}},
      {kStrUnexpectedError, {"an unexpected error", "une erreur inattendue"}},
      {kStrOpen, {"&Open...", "&Ouvrir..."}},
      {kStrSave, {"&Save", "&Enregistrer"}},
      {kStrSaveAs, {"Save &As...", "Enregistrer &sous..."}},
      {kStrExport, {"&Export", "E&xporter"}},
      {kStrExportHtml, {"Web page with the colours (HTML)...", "Page web avec les couleurs (HTML)..."}},
      {kStrExportOdt, {"OpenDocument text with the colours (.fodt)...",
            "Texte OpenDocument avec les couleurs (.fodt)..."}},
      {kStrExportDocx, {"&Word document with the colours (.docx)...",
            "Document &Word avec les couleurs (.docx)..."}},
      {kStrExportCsv, {"Top-100 as a table (CSV)...", "Top-100 en tableau (CSV)..."}},
      {kStrRecentFiles, {"Recent files", "Fichiers r\xE9" "cents"}},
      {kStrSaveChanges, {"The text has changed since it was opened or saved.\n"
            "Save the changes?",
            "Le texte a chang\xE9 depuis son ouverture ou son enregistrement.\n"
            "Enregistrer les modifications ?"}},
      {kStrCannotOpen, {"Cannot open the file", "Impossible d'ouvrir le fichier"}},
      {kStrCannotSave, {"Cannot save the file", "Impossible d'enregistrer le fichier"}},
      {kStrRecentFileGone, {"%s no longer exists: it leaves the recent files.",
            "%s n'existe plus : il quitte les fichiers r\xE9" "cents."}},
      {kStrSaveAsUtf8, {"The text holds characters that the file's encoding cannot store.\n"
            "Save it as UTF-8 text under another name?",
            "Le texte contient des caract\xE8res que l'encodage du fichier ne peut pas garder.\n"
            "L'enregistrer en texte UTF-8 sous un autre nom ?"}},
      {kStrSaveDocumentAsText, {"A word processor document is never written over with plain text.\n"
            "Save the text as a .txt file?",
            "Un document de traitement de texte n'est jamais remplac\xE9 par du texte brut.\n"
            "Enregistrer le texte dans un fichier .txt ?"}},
      {kStrManuscripts, {"Manuscripts", "Manuscrits"}},
      {kStrAllFiles, {"All files", "Tous les fichiers"}},
      {kStrMarkedWord, {"Marked word", "Mot marqu\xE9"}},
      {kStrEditMenu, {"&Edit", "&\xC9" "dition"}},
      {kStrUndo, {"&Undo", "&Annuler"}},
      {kStrRedo, {"&Redo", "&R\xE9tablir"}},
      {kStrCut, {"Cu&t", "Co&uper"}},
      {kStrCopy, {"&Copy", "&Copier"}},
      {kStrPaste, {"&Paste", "C&oller"}},
      {kStrSelectAll, {"Select &All", "&Tout s\xE9lectionner"}},
      {kStrNextFinding, {"&Next finding", "R\xE9sultat &suivant"}},
      {kStrPreviousFinding, {"&Previous finding", "R\xE9sultat &pr\xE9" "c\xE9" "dent"}},
      {kStrCloseFinding, {"close repetition %d of %d", "r\xE9p\xE9tition proche %d sur %d"}},
      {kStrDistantFinding, {"distant repetition %d of %d", "r\xE9p\xE9tition \xE9loign\xE9" "e %d sur %d"}},
      {kStrSearchedFinding, {"searched word %d of %d", "mot recherch\xE9 %d sur %d"}},
      {kStrPhraseFinding, {"searched phrase %d of %d", "expression recherch\xE9" "e %d sur %d"}},
      {kStrMarkedFinding, {"\"%s\": %d of %d", "\xAB %s \xBB : %d sur %d"}},
      {kStrWordCount, {"%d words", "%d mots"}},
      {kStrNoFinding, {"No finding: press F5, or click a word to mark it",
             "Aucun r\xE9sultat : appuyez sur F5, ou cliquez sur un mot pour le marquer"}},
      {kStrSameBeginning, {"same beginning", "m\xEAme d\xE9" "but"}},
      {kStrSameDictionaryForm, {"same dictionary form", "m\xEAme forme du dictionnaire"}},
      {kStrFrenchDictionary, {"French", "fran\xE7" "ais"}},
      {kStrEnglishDictionary, {"English", "anglais"}},
      {kStrDictionaryMissing, {"No %s dictionary: install the package %s.",
             "Pas de dictionnaire %s : installez le paquet %s."}},
      {kStrUndecodableBytes, {"This file holds bytes that are not valid %s; saving will replace "
             "them with U+FFFD.",
             "Ce fichier contient des octets qui ne sont pas du %s valide ; l'enregistrer les "
             "remplacera par U+FFFD."}},
      {kStrMixedLineEnds, {"This file has mixed line ends; saving will write every line end as %s.",
             "Ce fichier m\xE9lange plusieurs sortes de fins de ligne ; l'enregistrer les \xE9" "crira "
             "toutes en %s."}},
      {kStrDiscardRecovered, {"&Discard Recovered Text", "&Abandonner le texte r\xE9" "cup\xE9r\xE9"}},
      {kStrRecovered, {"Brought back the text left unsaved when Verbolt 2 last ended. "
             "File > Discard Recovered Text goes back to the saved file.",
             "Texte non enregistr\xE9 r\xE9" "cup\xE9r\xE9 de la derni\xE8re session. "
             "Fichier > Abandonner le texte r\xE9" "cup\xE9r\xE9 revient au fichier enregistr\xE9."}},
      {kStrRecoveredFileChanged, {"Brought back the text left unsaved when Verbolt 2 last ended. "
             "The file on disk has changed since.",
             "Texte non enregistr\xE9 r\xE9" "cup\xE9r\xE9 de la derni\xE8re session. "
             "Le fichier sur le disque a chang\xE9 depuis."}},
      {kStrRecoveryDiscarded, {"Back to the saved file. Until the text is saved, the next start "
             "can still bring back the discarded text.",
             "Retour au fichier enregistr\xE9. Jusqu'au prochain enregistrement, le prochain "
             "d\xE9marrage peut encore r\xE9" "cup\xE9rer le texte abandonn\xE9."}},
      {kStrRecoveryFailed, {"No recovery copy could be written: %s",
             "Aucune copie de secours n'a pu \xEAtre \xE9" "crite : %s"}},
      {kStrFileChangedOnDisk, {"%s has been changed by another program since it was opened or saved.\n"
             "Overwrite it with the text of the editor?",
             "%s a \xE9t\xE9 modifi\xE9 par un autre programme depuis son ouverture ou son "
             "enregistrement.\nLe remplacer par le texte de l'\xE9" "diteur ?"}},
      {kStrOverwrite, {"Overwrite", "Remplacer"}},
      {kStrSaveAsButton, {"Save As...", "Enregistrer sous..."}},
      {kStrUntitled, {"Untitled", "Sans titre"}},
      {kStrSaveButton, {"Save", "Enregistrer"}},
      {kStrCloseWithoutSaving, {"Close without Saving", "Fermer sans enregistrer"}},
      {kStrOpenWithoutSaving, {"Open without Saving", "Ouvrir sans enregistrer"}},
      {kStrSaveAsUtf8Button, {"Save as UTF-8...", "Enregistrer en UTF-8..."}},
      {kStrSaveAsTextButton, {"Save as Text...", "Enregistrer en texte..."}},
      {kStrIgnoreInBook, {"Ignore in this book", "Ignorer dans ce livre"}},
      {kStrIgnoredInBook, {"\"%s\" is skipped in this book from the next F5 (%s).",
             "\xAB %s \xBB est ignor\xE9 dans ce livre d\xE8s le prochain F5 (%s)."}},
      {kStrNoBookList, {"A text with no file has no book list: save it first.",
             "Un texte sans fichier n'a pas de liste du livre : enregistrez-le d'abord."}},
      {kStrBookList, {"Words of the book's lists: %d", "Mots des listes du livre : %d"}},
      {kStrNoBookFile, {"Book list: none", "Liste du livre : aucune"}},
      {kStrOpenBookList, {"Open", "Ouvrir"}},
      {kStrCannotSaveIntoDocument, {"The document is left as it was. %s\n"
             "Save the text as a .txt file beside the document?",
             "Le document reste tel qu'il \xE9tait. %s\n"
             "Enregistrer le texte dans un fichier .txt \xE0 c\xF4t\xE9 du document ?"}},
      {kStrSkipNames, {"Skip the characters' names", "Ignorer les noms des personnages"}},
      {kStrCannotIgnore, {"Cannot add the word to the book's list",
             "Impossible d'ajouter le mot \xE0 la liste du livre"}},
      {kStrEchoes, {"Echoes", "\xC9" "chos"}},
      {kStrEchoesHelp, {"Echoes are found without a list.\n\n"
             "Repeated phrases: the same words in the same order, within one sentence, "
             "coming back within the distance. Words of the list to skip never start or end "
             "one. Only the longest phrase is coloured, not every phrase inside it.\n\n"
             "Sentences opening alike: three of five sentences in a row that open with the "
             "same word are coloured at that word. Every word counts here.",
             "Les \xE9" "chos sont trouv\xE9s sans liste.\n\n"
             "Groupes de mots r\xE9p\xE9t\xE9s : les m\xEAmes mots dans le m\xEAme ordre, "
             "dans une phrase, qui reviennent \xE0 moins de la distance. Les mots \xE0 ignorer "
             "ne commencent ni ne finissent un groupe. Seul le plus long groupe est "
             "color\xE9, pas chacun de ceux qu'il contient.\n\n"
             "Phrases commen\xE7" "ant pareil : trois phrases sur cinq \xE0 la suite qui "
             "commencent par le m\xEAme mot sont color\xE9" "es sur ce mot. Ici, tous les mots "
             "comptent."}},
      {kStrEchoPhrases, {"Repeated phrases", "Groupes de mots r\xE9p\xE9t\xE9s"}},
      {kStrEchoOf, {"of", "de"}},
      {kStrRunStopped, {"Stopped: the text and its colours are as they were",
             "Arr\xEAt\xE9 : le texte et ses couleurs sont rest\xE9s tels quels"}},
      {kStrWordDocument, {"Word document", "Document Word"}},
      {kStrOpenDocumentText, {"OpenDocument text", "Texte OpenDocument"}},
      {kStrTopPhrases, {"Top phrases", "Groupes fr\xE9quents"}},
      {kStrLegendEchoes, {"Echoes", "\xC9" "chos"}},
      {kStrLegendOpenings, {"Openings", "D\xE9" "buts"}},
      {kStrColourAsYouType, {"Colour as you type", "Colorer pendant la frappe"}},
      {kStrLiveButton, {"Live (F8)", "Direct (F8)"}},
      {kStrViewMenu, {"&View", "&Affichage"}},
      {kStrOverviewStrip, {"Overview strip", "Bande d'ensemble"}},
      {kStrPaletteStandard, {"Standard", "Standard"}},
      {kStrPaletteColourBlind, {"Colour-blind safe", "Adapt\xE9" "e aux daltoniens"}},
      {kStrPaletteDark, {"Dark", "Sombre"}},
      {kStrSpreadCount, {"\"%s\": %d times", "\xAB %s \xBB : %d fois"}},
      {kStrSpreadTitle, {"Where the words fall", "O\xF9 tombent les mots"}},
      {kStrEchoTo, {"to", "\xE0"}},
      {kStrEchoWords, {"words", "mots"}},
      {kStrEchoWithin, {"within", "\xE0 moins de"}},
      {kStrEchoLetters, {"letters", "lettres"}},
      {kStrSentenceOpenings, {"Sentences opening alike", "Phrases commen\xE7" "ant pareil"}},
      {kStrEchoFinding, {"phrase echo %d of %d", "\xE9" "cho %d sur %d"}},
      {kStrOpeningFinding, {"sentence opening %d of %d", "d\xE9" "but de phrase %d sur %d"}},
      {kStrPhraseEchoes, {"Phrase echoes", "\xC9" "chos"}},
      {kStrRepeatedOpenings, {"Repeated openings", "D\xE9" "buts r\xE9p\xE9t\xE9s"}},
  };
  // clang-format on
}

Language shownLanguage = Language::kEnglish;

}  // namespace

void setLanguage(Language language) { shownLanguage = language; }

Language currentLanguage() { return shownLanguage; }

const StringTable& stringTable() {
  static const StringTable table = buildStringTable();
  return table;
}

std::string LocalizedText(StringId id) {
  const StringTable& table = stringTable();
  auto entry = table.find(id);
  if (entry == table.end()) return std::string();
  return shownLanguage == Language::kFrench ? entry->second.french : entry->second.english;
}

}  // namespace verbolt
