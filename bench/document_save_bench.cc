// Times saving the editor's text back into a Word document and an
// OpenDocument text: chapters of 5 and 10 MB of prose (the latter a .docx
// of about 5 MB), their paragraphs in runs of plain and italic text as an
// edited manuscript has them, saved unchanged, after one edit and after
// 1,000 edits spread through them. Prints the best of several runs of each.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/best_time.h"
#include "bench/text_generator.h"
#include "manuscript/document_save.h"
#include "manuscript/zip_test_support.h"
#include "text/cp1252.h"
#include "text/xml_text.h"

namespace verbolt {

namespace {

constexpr size_t kMegabyte = 1 << 20;
constexpr int kRepetitions = 5;
constexpr uint32_t kSeed = 21;

// The paragraph cut into pieces of 200 bytes or so, between characters.
std::vector<std::string_view> runsOf(std::string_view paragraph) {
  std::vector<std::string_view> runs;
  for (size_t i = 0; i < paragraph.size();) {
    size_t end = std::min(i + 200, paragraph.size());
    while (end < paragraph.size() && (static_cast<unsigned char>(paragraph[end]) & 0xC0) == 0x80) {
      ++end;
    }
    runs.push_back(paragraph.substr(i, end - i));
    i = end;
  }
  return runs;
}

// A run every 200 bytes or so, every other one in italics.
std::string documentXml(const std::vector<std::string>& paragraphs) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:document "
      "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>";
  for (const std::string& paragraph : paragraphs) {
    xml += "<w:p><w:pPr><w:pStyle w:val=\"Normal\"/></w:pPr>";
    size_t run = 0;
    for (std::string_view text : runsOf(paragraph)) {
      xml += run++ % 2 ? "<w:r><w:rPr><w:i/><w:lang w:val=\"en-GB\"/></w:rPr>"
                       : "<w:r><w:rPr><w:lang w:val=\"en-GB\"/></w:rPr>";
      xml += "<w:t xml:space=\"preserve\">";
      appendXmlText(xml, text);
      xml += "</w:t></w:r>";
    }
    xml += "</w:p>";
  }
  return xml + "<w:sectPr/></w:body></w:document>";
}

// The same as LibreOffice writes it: every other run an italic span, the
// spaces it would merge as text:s.
std::string contentXml(const std::vector<std::string>& paragraphs) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document-content "
      "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
      "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:text>";
  for (const std::string& paragraph : paragraphs) {
    xml += "<text:p text:style-name=\"P1\">";
    size_t run = 0;
    for (std::string_view text : runsOf(paragraph)) {
      if (run % 2) xml += "<text:span text:style-name=\"T1\">";
      for (size_t i = 0; i < text.size();) {
        const bool merged =
            text[i] == ' ' && (i == 0 || i + 1 == text.size() || text[i - 1] == ' ');
        if (merged) {
          xml += "<text:s/>";
          ++i;
          continue;
        }
        const size_t end = std::min(text.find(' ', i + 1), text.size());
        appendXmlText(xml, text.substr(i, end - i));
        i = end;
      }
      if (run++ % 2) xml += "</text:span>";
    }
    xml += "</text:p>";
  }
  return xml + "</office:text></office:body></office:document-content>";
}

// `count` paragraphs spread evenly through the text, each with a word
// typed into its middle.
std::string edited(std::vector<std::string> paragraphs, size_t count) {
  const size_t step = std::max<size_t>(1, paragraphs.size() / std::max<size_t>(count, 1));
  for (size_t p = 0, done = 0; p < paragraphs.size() && done < count; p += step, ++done) {
    paragraphs[p].insert(paragraphs[p].size() / 2, " edited");
  }
  std::string text;
  for (size_t p = 0; p < paragraphs.size(); ++p) text += (p ? "\n" : "") + paragraphs[p];
  return text;
}

void timeSave(ManuscriptKind kind, const char* label, const std::string& package,
              const std::string& text) {
  size_t size = 0;
  bool same = false;
  std::string error;
  const double ms = bestMilliseconds(kRepetitions, [&] {
    const DocumentSave save = saveIntoDocument(kind, package, text);
    size = save.bytes ? save.bytes->size() : 0;
    same = save.bytes && *save.bytes == package;
    error = save.error;
  });
  std::printf("  save %-28s %8.1f ms  (%.2f MB written%s)%s%s\n", label, ms,
              static_cast<double>(size) / kMegabyte, same ? ", the package as it was" : "",
              error.empty() ? "" : "  FAILED: ", error.c_str());
}

void benchKind(ManuscriptKind kind, const std::vector<std::string>& paragraphs) {
  const bool word = kind == ManuscriptKind::kDocx;
  const std::string xml = word ? documentXml(paragraphs) : contentXml(paragraphs);
  const std::string package = word ? docxArchive(xml) : odtArchive(xml);
  std::printf(" %s %.1f MB, %s %.1f MB\n", word ? "document.xml" : "content.xml",
              static_cast<double>(xml.size()) / kMegabyte, word ? ".docx" : ".odt",
              static_cast<double>(package.size()) / kMegabyte);
  timeSave(kind, "unchanged", package, edited(paragraphs, 0));
  timeSave(kind, "after 1 edit", package, edited(paragraphs, 1));
  timeSave(kind, "after 1,000 edits", package, edited(paragraphs, 1000));
}

void benchSize(size_t megabytes) {
  const std::string utf8 = cp1252ToUtf8(generateProse(megabytes * kMegabyte, kSeed));
  const std::vector<std::string> paragraphs = paragraphsOf(utf8);
  std::printf("%zu MB of prose: %zu paragraphs\n", megabytes, paragraphs.size());
  benchKind(ManuscriptKind::kDocx, paragraphs);
  benchKind(ManuscriptKind::kOdt, paragraphs);
}

}  // namespace

}  // namespace verbolt

int main() {
  std::printf("best of %d runs each\n", verbolt::kRepetitions);
  for (size_t megabytes : {5, 10}) verbolt::benchSize(megabytes);
  return 0;
}
