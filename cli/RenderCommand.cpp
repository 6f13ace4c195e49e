// xref render DOC -o OUT.pdf|OUT.png: pictures of a document's pages. A PDF
// holds one page per page; a PNG one page, or one spread with its
// pasteboard, and several are numbered OUT-1.png, OUT-2.png, ... Pages show
// their names at their feet unless --no-folios; images above --max-pixels
// are refused before anything is drawn. Drawing
// only reads the document; the document file is never written. The output
// files appear all together, or none does.
#include "cli/AppSession.h"
#include "cli/CliCommand.h"
#include "cli/Describe.h"
#include "cli/DocumentSource.h"
#include "cli/DocumentWorkflow.h"
#include "headless/database/SafeFile.h"
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

// Beyond this an image takes gigabytes and minutes: a hostile description
// can put a frame far out on the pasteboard.
constexpr double kDefaultMaxPixels = 100e6;

class RenderCommand : public CliCommand {
public:
  RenderCommand() : CliCommand("render", "Draw a document's pages to a PDF file or PNG images") {}
  void Setup(CLI::App* sub) override {
    sub->add_option("document", path_, "Document file or JSON description")->required();
    sub->add_option("-o,--output", out_, "Output file: .pdf or .png")->required();
    auto* page = pageOption_ =
        sub->add_option("--page", page_, "Only the page of this name, as xref describe lists the pages");
    auto* spread = spreadOption_ =
        sub->add_option("--spread", spread_, "Only this spread (from 0, as descriptions number them)");
    auto* all = sub->add_flag("--all", all_, "Every page or spread (the default)");
    page->excludes(spread)->excludes(all);
    spread->excludes(all);
    sub->add_flag("--show-hidden", showHidden_, "Show hidden characters, and with them the marker glyphs");
    sub->add_flag("--print", print_, "Draw as for printing: no screen-only adornments");
    sub->add_option("--scale", scale_, "PNG pixels per point (default 1)")->capture_default_str();
    sub->add_flag("--no-folios", noFolios_, "Leave out the page names at the pages' feet");
    sub->add_option("--max-pixels", maxPixels_, "Refuse a PNG image of more pixels (default 100000000)");
  }

  int Run() override {
    const bool pdf = EndsWith(out_, ".pdf"), png = EndsWith(out_, ".png");
    if (!pdf && !png) return Fail(out_ + ": the output must end in .pdf or .png");
    if (!(scale_ > 0 && scale_ <= 16)) return Fail("--scale must be above 0 and at most 16");
    if (!(maxPixels_ >= 1)) return Fail("--max-pixels must be at least 1");
    std::string error;
    auto app = StartSession({}, &error);
    if (!app) return Fail(error);
    DataBase* doc = OpenOrBuildDocument(*app, path_, &error);
    if (!doc) return Fail(error);
    // Sources in other documents are found as an update finds them, so that
    // the wash shows only what is really broken.
    OpenSourceDocuments(doc);
    ShowHidden(doc, showHidden_);
    std::vector<UID> items;
    if (!Choose(doc, pdf, &items, &error)) return Fail(path_ + ": " + error);
    DrawOptions options;
    options.flags = print_ ? kDrawForPrint : kDrawForScreen;
    options.folios = !noFolios_;
    const Renderer renderer(doc, options);
    if (png && !WithinPixelLimit(renderer, items, &error)) return Fail(out_ + ": " + error);
    std::vector<SafeFile::Staged> written;
    bool ok = pdf ? Write(renderer, items, &written, &error) : WriteImages(renderer, items, &written, &error);
    if (ok) ok = Publish(written, &error);
    if (ok) return kExitOK;
    for (const auto& w : written) SafeFile::Discard(w);
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
    if (pageOption_->count() > 0) {
      const UID page = PageNamed(doc, pages.get(), page_);
      if (page == kInvalidUID)
        return *error = "no page named '" + page_ + "' (the pages are" + PageNames(doc, pages.get()) + ")", false;
      items->push_back(page);
      return true;
    }
    if (spreadOption_->count() > 0) {
      if (spread_ < 0 || spread_ >= spreads->GetSpreadCount())
        return *error = "no spread " + std::to_string(spread_) + " (the spreads are 0 to " +
                        std::to_string(spreads->GetSpreadCount() - 1) + ")", false;
      AddSpread(doc, spreads->GetNthSpreadUID(spread_), pdf, items);
      return true;
    }
    for (int32 i = 0; i < spreads->GetSpreadCount(); ++i) AddSpread(doc, spreads->GetNthSpreadUID(i), pdf, items);
    return true;
  }

  // Sections may repeat a name; the first page of the name is meant, as a
  // reader looking down describe's list finds it first.
  static UID PageNamed(DataBase* doc, IPageList* pages, const std::string& name) {
    for (int32 i = 0; i < pages->GetPageCount(); ++i)
      if (DescribedPageName(doc, pages->GetNthPageUID(i)) == name) return pages->GetNthPageUID(i);
    return kInvalidUID;
  }

  static std::string PageNames(DataBase* doc, IPageList* pages) {
    std::string names;
    for (int32 i = 0; i < pages->GetPageCount(); ++i) names += " " + DescribedPageName(doc, pages->GetNthPageUID(i));
    return names;
  }

  static void AddSpread(DataBase* doc, UID spread, bool pdf, std::vector<UID>* items) {
    if (!pdf) {
      items->push_back(spread);
      return;
    }
    InterfacePtr<ISpread> s(doc, spread, IID_ISPREAD);
    for (int32 p = 0; s && p < s->GetNumPages(); ++p) items->push_back(s->GetNthPageUID(p));
  }

  bool WithinPixelLimit(const Renderer& renderer, const std::vector<UID>& items, std::string* error) const {
    for (UID item : items) {
      const double pixels = renderer.PixelCount(item, scale_);
      if (pixels <= maxPixels_) continue;
      char text[160];
      std::snprintf(text, sizeof text, "an image of %.0f pixels is over the limit of %.0f pixels (raise it with --max-pixels)",
                    pixels, maxPixels_);
      return *error = text, false;
    }
    return true;
  }

  // Outputs are saved as documents are: checked, written beside, renamed.
  static bool Stage(const std::string& final, std::vector<SafeFile::Staged>* written, std::string* error) {
    written->emplace_back();
    return SafeFile::Stage(final, &written->back(), error);
  }

  bool Write(const Renderer& renderer, const std::vector<UID>& pages, std::vector<SafeFile::Staged>* written,
             std::string* error) const {
    return Stage(out_, written, error) && renderer.WritePDF(pages, written->back().temp, error);
  }

  bool WriteImages(const Renderer& renderer, const std::vector<UID>& items, std::vector<SafeFile::Staged>* written,
                   std::string* error) const {
    for (size_t i = 0; i < items.size(); ++i) {
      const std::string final = items.size() == 1 ? out_ : Numbered(out_, i + 1);
      if (!Stage(final, written, error)) return false;
      if (!renderer.WritePNG(items[i], scale_, written->back().temp, error)) return false;
    }
    return true;
  }

  static bool Publish(const std::vector<SafeFile::Staged>& written, std::string* error) {
    for (const auto& w : written)
      if (!SafeFile::Commit(w, error)) return false;
    return true;
  }

  std::string path_, out_, page_;
  int32 spread_ = 0;
  CLI::Option* pageOption_ = nullptr;
  CLI::Option* spreadOption_ = nullptr;
  bool all_ = false, showHidden_ = false, print_ = false, noFolios_ = false;
  double scale_ = 1.0, maxPixels_ = kDefaultMaxPixels;
};
RenderCommand gRender;
}  // namespace
