#include "manuscript/document_body.h"

namespace verbolt {

std::string bodyText(const DocumentBody& body) {
  std::string text;
  for (size_t i = 0; i < body.paragraphs.size(); ++i) {
    if (i > 0) text += '\n';
    text += body.paragraphs[i].text;
  }
  return text;
}

}  // namespace verbolt
