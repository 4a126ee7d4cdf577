// The two outputs of verbolt-analyze: one JSON object for programs, and a
// plain summary for a person. Both are UTF-8; the texts they carry come
// from the engine as Windows-1252 bytes.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "analysis/analysis_pass.h"
#include "analysis/phrase_echoes.h"
#include "text/words.h"

namespace verbolt {

// Appends `value` in decimal, without allocating.
void appendDecimal(std::string& out, long long value);

// Appends the Windows-1252 `text` as a quoted JSON string in UTF-8. Control
// characters (C0, DEL and the C1 characters that the five undefined bytes
// decode to) are written as \u00XX escapes, line ends and tabs as \n, \r, \t.
void appendJsonString(std::string& out, std::string_view text);

// Takes the output a block of about a megabyte at a time, so that lists of
// hundreds of millions of positions never exist as one text.
using OutputBlockSink = std::function<void(std::string_view block)>;

// {"phraseRanges": [[start,length],...], "searchedStarts": [...],
//  "distantStarts": [...], "closeStarts": [...], "report": "..."}
// with one key per line and the lists in the engine's order. With
// `echoes`, "phraseEchoes" and "sentenceOpenings" come before "report",
// each occurrence as [start, length, start of the one it echoes or -1].
void writeAnalysisJson(const AnalysisResult& result, const OutputBlockSink& sink,
                       const Echoes* echoes = nullptr);
std::string analysisJson(const AnalysisResult& result);

// The same object for one of several files: "path" (UTF-8) is its first
// key, and no line end follows the closing brace, so that the objects can
// be joined into an array.
void writeFileAnalysisJson(std::string_view pathUtf8, const AnalysisResult& result,
                           const OutputBlockSink& sink, const Echoes* echoes = nullptr);

// Appends UTF-8 `text` as a quoted JSON string, escaped as appendJsonString
// escapes.
void appendJsonUtf8String(std::string& out, std::string_view text);

// The three text-information figures, the size of each result list (phrase
// ranges counted as ranges; the repetition starts as often as the rules
// found them, or, with `eachStartOnce`, as listed) and the Top-100 report.
// With `echoes`, the counts of their occurrences follow the others.
std::string analysisSummary(const TextStatistics& statistics, const AnalysisResult& result,
                            bool eachStartOnce = false, const Echoes* echoes = nullptr);

}  // namespace verbolt
