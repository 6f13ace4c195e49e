#pragma once
// Descriptions (docs/document-format.md) of documents of real size, the
// same for the same seed: one story of body paragraphs and headings, each
// heading with a source marker, cross-references to those markers spread
// through the text (and, when named, to a marker of another document),
// and footnotes.
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

struct LargeDocumentSpec {
  int32_t characters = 10000;  // the story's length, about
  int32_t headings = 10;       // each with a source marker
  int32_t crossRefs = 10;      // local ones
  int32_t externalRefs = 0;    // to `externalMarker` of `externalDocument`
  int32_t footnotes = 0;
  std::string externalDocument;
  std::string externalMarker;
  uint32_t seed = 1;
  // False: the same text without any of the objects, to compare against.
  bool withObjects = true;
};

nlohmann::json LargeDescription(const LargeDocumentSpec& spec);
// Writes it to `path`; false when the file cannot be written.
bool WriteLargeDescription(const LargeDocumentSpec& spec, const std::string& path);
