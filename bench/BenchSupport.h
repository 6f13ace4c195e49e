#pragma once
// What the benchmarks share: a running application with the plug-in, the
// seven default formats, and the bare Xerces validating parse they are
// measured against.
#include "headless/application/Application.h"
#include <memory>
#include <string>
#include <vector>
#include <xercesc/sax2/SAX2XMLReader.hpp>

extern const char16_t* const kBenchDefaultFormats[7];

// A document of `pages` one-page spreads, one story threaded through a
// frame on every page, one paragraph per frame.
struct PagedDocument {
  explicit PagedDocument(int32 pages);
  Application app;
  DataBase* doc;
};

// Registers the linked plug-in and starts the application; aborts when the
// plug-in cannot be registered, as no measurement would mean anything.
void StartBenchApplication(Application& app);
// The formats as the format language assembles them for parsing.
std::vector<std::u16string> AssembledFormats(const char16_t* const* formats, size_t count);

// A validating reader without namespaces, as the host configures its own.
std::unique_ptr<xercesc::SAX2XMLReader> BareReader();
void BareParse(xercesc::SAX2XMLReader& reader, const std::u16string& document);
