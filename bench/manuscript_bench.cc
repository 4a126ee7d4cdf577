// Times what opening, saving and exporting a manuscript cost outside the
// window: reading .txt, .docx and .odt files of 1 and 5 MB of prose into
// the editor's text, saving a text, and the HTML and .fodt exports of an
// analysed text. Prints the best of several runs of each.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "analysis/analysis_pass.h"
#include "bench/best_time.h"
#include "bench/text_generator.h"
#include "export/fodt_export.h"
#include "export/html_export.h"
#include "text/xml_text.h"
#include "highlight/plan/paint_plan.h"
#include "manuscript/atomic_write.h"
#include "manuscript/manuscript.h"
#include "manuscript/zip_test_support.h"
#include "settings/analysis_settings.h"
#include "text/cp1252.h"
#include "text/words.h"

namespace verbolt {

namespace {

constexpr size_t kMegabyte = 1 << 20;
constexpr int kRepetitions = 5;
constexpr uint32_t kSeed = 14;

// Word writes a run wherever the formatting changes: a run every few
// sentences, as an edited manuscript has them.
std::string documentXml(const std::vector<std::string>& paragraphs) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:document "
      "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>";
  for (const std::string& paragraph : paragraphs) {
    xml += "<w:p><w:pPr><w:pStyle w:val=\"Normal\"/></w:pPr>";
    for (size_t i = 0; i < paragraph.size(); i += 300) {
      xml += "<w:r><w:rPr><w:lang w:val=\"en-GB\"/></w:rPr><w:t xml:space=\"preserve\">";
      appendXmlText(xml, paragraph.substr(i, 300));
      xml += "</w:t></w:r>";
    }
    xml += "</w:p>";
  }
  return xml + "</w:body></w:document>";
}

std::string contentXml(const std::vector<std::string>& paragraphs) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document-content "
      "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
      "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:text>";
  for (const std::string& paragraph : paragraphs) {
    xml += "<text:p text:style-name=\"P1\">";
    appendXmlText(xml, paragraph);
    xml += "</text:p>";
  }
  return xml + "</office:text></office:body></office:document-content>";
}

void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

void timeRead(const std::string& label, const std::string& path, size_t textBytes) {
  size_t characters = 0;
  const double ms = bestMilliseconds(kRepetitions, [&] {
    const ReadOutcome outcome = readManuscript(path);
    characters = outcome.manuscript ? outcome.manuscript->utf8.size() : 0;
  });
  std::printf("  read %-22s %6.1f MB on disk  %8.1f ms  %6.0f MB of text/s%s\n", label.c_str(),
              static_cast<double>(std::filesystem::file_size(path)) / kMegabyte, ms,
              static_cast<double>(textBytes) / kMegabyte / (ms / 1000),
              characters == 0 ? "  (FAILED)" : "");
}

void benchSize(size_t megabytes, const std::filesystem::path& directory) {
  const std::string cp1252 = generateProse(megabytes * kMegabyte, kSeed);
  const std::string utf8 = cp1252ToUtf8(cp1252);
  const std::vector<std::string> paragraphs = paragraphsOf(utf8);
  std::printf("%zu MB of prose (%zu paragraphs)\n", megabytes, paragraphs.size());

  const std::string base = (directory / ("text" + std::to_string(megabytes))).string();
  writeBytes(base + "-utf8.txt", encodeText(utf8, {TextEncoding::kUtf8, LineEnds::kCrLf}).bytes);
  writeBytes(base + "-cp1252.txt", cp1252);
  writeBytes(base + "-utf16.txt",
             encodeText(utf8, {TextEncoding::kUtf16LeWithBom, LineEnds::kLf}).bytes);
  writeBytes(base + ".docx", docxArchive(documentXml(paragraphs)));
  writeBytes(base + ".odt", odtArchive(contentXml(paragraphs)));
  timeRead(".txt UTF-8, CRLF", base + "-utf8.txt", utf8.size());
  timeRead(".txt Windows-1252", base + "-cp1252.txt", utf8.size());
  timeRead(".txt UTF-16 LE", base + "-utf16.txt", utf8.size());
  timeRead(".docx", base + ".docx", utf8.size());
  timeRead(".odt", base + ".odt", utf8.size());

  std::string error;
  const double saveMs = bestMilliseconds(kRepetitions, [&] {
    const EncodeOutcome encoded = encodeText(utf8, {TextEncoding::kUtf8, LineEnds::kCrLf});
    writeFileAtomically(base + "-saved.txt", encoded.bytes, error);
  });
  std::printf("  save .txt (encode, write, fsync, rename)  %8.1f ms\n", saveMs);

  AnalysisSettings settings = AnalysisSettings::Defaults();
  const std::string lowered = lowercaseText(cp1252);
  const AnalysisResult result = analyzeText(lowered, settings);
  const std::vector<ColourRun> runs = planHighlights(lowered, result, settings);
  const std::string report = cp1252ToUtf8(result.report);
  const ExportDocument document{utf8, runs, report, "bench", {}};
  size_t htmlSize = 0, fodtSize = 0;
  const double htmlMs =
      bestMilliseconds(kRepetitions, [&] { htmlSize = exportHtml(document).size(); });
  const double fodtMs =
      bestMilliseconds(kRepetitions, [&] { fodtSize = exportFlatOdt(document).size(); });
  std::printf("  export HTML, %zu colour runs   %8.1f ms  (%.1f MB)\n", runs.size(), htmlMs,
              static_cast<double>(htmlSize) / kMegabyte);
  std::printf("  export .fodt                     %8.1f ms  (%.1f MB)\n", fodtMs,
              static_cast<double>(fodtSize) / kMegabyte);
}

}  // namespace

}  // namespace verbolt

using namespace verbolt;

int main() {
  char pattern[] = "/tmp/verbolt-manuscript-bench-XXXXXX";
  const std::filesystem::path directory = mkdtemp(pattern);
  std::printf("best of %d runs each\n", kRepetitions);
  for (size_t megabytes : {1, 5}) benchSize(megabytes, directory);
  std::filesystem::remove_all(directory);
  return 0;
}
