// xref render DOC -o OUT.pdf|OUT.png: pictures of a document's pages. A PDF
// holds one page per page; a PNG one page, or one spread with its
// pasteboard, and several are numbered OUT-1.png, OUT-2.png, ... Drawing
// only reads the document; the document file is never written. The output
// files appear all together, or none does.
#include "cli/AppSession.h"
#include "cli/CliCommand.h"
#include "cli/DocumentSource.h"
#include "headless/drawing/RenderOutput.h"
#include "host/DrawingIDs.h"
#include "host/IDisplayOptions.h"
#include "host/IDocument.h"
#include "host/ILayout.h"
#include "host/InterfacePtr.h"
#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace {
bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// OUT.png -> OUT-n.png
std::string Numbered(const std::string& out, size_t n) {
  return out.substr(0, out.size() - 4) + "-" + std::to_string(n) + ".png";
}

class RenderCommand : public CliCommand {
public:
  RenderCommand() : CliCommand("render", "Draw a document's pages to a PDF file or PNG images") {}
  void Setup(CLI::App* sub) override {
    sub->add_option("document", path_, "Document file or JSON description")->required();
    sub->add_option("-o,--output", out_, "Output file: .pdf or .png")->required();
    auto* page = pageOption_ = sub->add_option("--page", page_, "Only this page (from 1)");
    auto* spread = spreadOption_ = sub->add_option("--spread", spread_, "Only this spread (from 1)");
    auto* all = sub->add_flag("--all", all_, "Every page or spread (the default)");
    page->excludes(spread)->excludes(all);
    spread->excludes(all);
    sub->add_flag("--show-hidden", showHidden_, "Show hidden characters, and with them the marker glyphs");
    sub->add_flag("--print", print_, "Draw as for printing: no screen-only adornments");
    sub->add_option("--scale", scale_, "PNG pixels per point (default 1)")->capture_default_str();
  }

  int Run() override {
    const bool pdf = EndsWith(out_, ".pdf"), png = EndsWith(out_, ".png");
    if (!pdf && !png) return Fail(out_ + ": the output must end in .pdf or .png");
    if (!(scale_ > 0 && scale_ <= 16)) return Fail("--scale must be above 0 and at most 16");
    std::string error;
    auto app = StartSession({}, &error);
    if (!app) return Fail(error);
    DataBase* doc = OpenOrBuildDocument(*app, path_, &error);
    if (!doc) return Fail(error);
    ShowHidden(doc, showHidden_);
    std::vector<UID> items;
    if (!Choose(doc, pdf, &items, &error)) return Fail(path_ + ": " + error);
    const int32 flags = print_ ? kDrawForPrint : kDrawForScreen;
    std::vector<std::pair<std::string, std::string>> written;  // temporary name, final name
    bool ok = pdf ? Write(doc, items, flags, &written, &error) : WriteImages(doc, items, flags, &written, &error);
    if (ok) ok = Publish(written, &error);
    if (ok) return kExitOK;
    for (const auto& w : written) std::remove(w.first.c_str());
    return Fail(error);
  }

private:
  static int Fail(const std::string& message) {
    PrintError(message);
    return kExitUsage;
  }

  // The display option is the workspace's view state: setting it changes
  // nothing that is saved.
  static void ShowHidden(DataBase* doc, bool show) {
    InterfacePtr<IDocument> document(doc, kRootUID, IID_IDOCUMENT);
    InterfacePtr<IDisplayOptions> options(document ? document->GetDocWorkspace() : UIDRef(), IID_IDISPLAYOPTIONS);
    if (options) options->SetShowHiddenCharacters(show);
  }

  // Pages for a PDF; pages or spreads for PNGs.
  bool Choose(DataBase* doc, bool pdf, std::vector<UID>* items, std::string* error) const {
    InterfacePtr<IPageList> pages(doc, kRootUID, IID_IPAGELIST);
    InterfacePtr<ISpreadList> spreads(doc, kRootUID, IID_ISPREADLIST);
    if (!pages || !spreads || pages->GetPageCount() == 0) return *error = "the document has no pages", false;
    // Given at all, even as 0, a number must name a page or spread.
    if (pageOption_->count() > 0) {
      if (page_ < 1 || page_ > pages->GetPageCount())
        return *error = "no page " + std::to_string(page_) + " (the document has " +
                        std::to_string(pages->GetPageCount()) + ")", false;
      items->push_back(pages->GetNthPageUID(page_ - 1));
      return true;
    }
    if (spreadOption_->count() > 0) {
      if (spread_ < 1 || spread_ > spreads->GetSpreadCount())
        return *error = "no spread " + std::to_string(spread_) + " (the document has " +
                        std::to_string(spreads->GetSpreadCount()) + ")", false;
      AddSpread(doc, spreads->GetNthSpreadUID(spread_ - 1), pdf, items);
      return true;
    }
    for (int32 i = 0; i < spreads->GetSpreadCount(); ++i) AddSpread(doc, spreads->GetNthSpreadUID(i), pdf, items);
    return true;
  }

  static void AddSpread(DataBase* doc, UID spread, bool pdf, std::vector<UID>* items) {
    if (!pdf) {
      items->push_back(spread);
      return;
    }
    InterfacePtr<ISpread> s(doc, spread, IID_ISPREAD);
    for (int32 p = 0; s && p < s->GetNumPages(); ++p) items->push_back(s->GetNthPageUID(p));
  }

  std::string TempName(const std::string& final) const { return final + ".tmp" + std::to_string(::getpid()); }

  bool Write(DataBase* doc, const std::vector<UID>& pages, int32 flags,
             std::vector<std::pair<std::string, std::string>>* written, std::string* error) const {
    written->emplace_back(TempName(out_), out_);
    return WritePDF(doc, pages, flags, written->back().first, error);
  }

  bool WriteImages(DataBase* doc, const std::vector<UID>& items, int32 flags,
                   std::vector<std::pair<std::string, std::string>>* written, std::string* error) const {
    for (size_t i = 0; i < items.size(); ++i) {
      const std::string final = items.size() == 1 ? out_ : Numbered(out_, i + 1);
      written->emplace_back(TempName(final), final);
      if (!WritePNG(doc, items[i], flags, scale_, written->back().first, error)) return false;
    }
    return true;
  }

  static bool Publish(const std::vector<std::pair<std::string, std::string>>& written, std::string* error) {
    for (const auto& w : written) {
      std::error_code ec;
      std::filesystem::rename(w.first, w.second, ec);
      if (ec) return *error = w.second + ": " + ec.message(), false;
    }
    return true;
  }

  std::string path_, out_;
  int32 page_ = 0, spread_ = 0;
  CLI::Option* pageOption_ = nullptr;
  CLI::Option* spreadOption_ = nullptr;
  bool all_ = false, showHidden_ = false, print_ = false;
  double scale_ = 1.0;
};
RenderCommand gRender;
}  // namespace
