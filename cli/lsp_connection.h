// verbolt-analyze --lsp: the language server over standard input and
// output. Three threads: one reads and frames the editor's messages, one
// writes the server's, and the dispatcher between them handles every
// message that has come before it analyses, so that a burst of edits is
// analysed once, at its latest version. A client slow to read never holds
// the analysis: the findings of a document not yet written are replaced
// by newer ones.
#pragma once

namespace verbolt {

// Until "exit" or the end of the input; the status "exit" asks for (0
// after a shutdown, 1 without), or 0 at the end of the input after a
// shutdown, 1 before one.
int runLanguageServer(int inputFd, int outputFd);

}  // namespace verbolt
