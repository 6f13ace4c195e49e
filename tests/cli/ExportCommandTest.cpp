// xref export: a document back into its description. The round trip is a
// property: building the export gives a document that describes as the
// original, and exporting that gives the same description again, over
// generated documents and every sample.
#include "tests/support/RunProgram.h"
#include "tests/support/TestApp.h"
#include <nlohmann/json.hpp>
#include <filesystem>
#include <fstream>
#include <random>

namespace {
using nlohmann::json;

std::string Quote(const std::string& s) { return "'" + s + "'"; }

// What describe shows, less the document's name and file.
std::string Described(const std::string& doc) {
  ProgramRun run = RunXref("describe " + Quote(doc), false);
  EXPECT_EQ(0, run.exitCode) << doc;
  const size_t second = run.out.find('\n', run.out.find('\n') + 1);
  return second == std::string::npos ? run.out : run.out.substr(second + 1);
}

// Builds DESC in its folder, exports the result, builds the export and
// exports that: the two documents must describe alike, and the two exports
// be equal.
void ExpectRoundTrip(const std::string& desc, const std::string& what) {
  const std::string folder = std::filesystem::path(desc).parent_path().string() + "/";
  const std::string a = folder + "a.xrefdoc", b = folder + "b.xrefdoc";
  const std::string first = folder + "first.json", second = folder + "second.json";
  ProgramRun run = RunXref("build " + Quote(desc) + " -o " + Quote(a));
  ASSERT_EQ(0, run.exitCode) << what << "\n" << run.out;
  run = RunXref("export " + Quote(a) + " -o " + Quote(first));
  ASSERT_EQ(0, run.exitCode) << what << "\n" << run.out;
  run = RunXref("build " + Quote(first) + " -o " + Quote(b));
  ASSERT_EQ(0, run.exitCode) << what << "\n" << run.out << "\n" << FileBytes(first);
  EXPECT_EQ(Described(a), Described(b)) << what << "\n" << FileBytes(first);
  ASSERT_EQ(0, RunXref("export " + Quote(b) + " -o " + Quote(second)).exitCode) << what;
  EXPECT_EQ(FileBytes(first), FileBytes(second)) << what;
}

// A random description that builds: every kind of field and placeholder the
// format has, names unique where they must be.
class Generator {
public:
  explicit Generator(unsigned seed) : rng_(seed) {}

  json Document() {
    json d = {{"fonts", {{{"family", "Serif"}, {"styles", {"Regular", "Italic"}}}, {{"family", "Mono"}}}},
              {"swatches", {{{"name", "Accent"}, {"rgb", "#1F6FB2"}}, {{"name", "Grey"}}}},
              {"languages", {"kLanguageGerman", "Elvish"}},
              {"textVariables", {{{"name", "Product"}, {"text", "XRef"}}}},
              {"formats", {{{"name", "Page"}, {"markup", "page <pagenum/>"}},
                           {{"name", "Heading"}, {"markup", "<paratext/>"}}}},
              {"basicFormats", {{{"name", "See"}, {"blocks", {{{"type", "customText"}, {"text", "see "}},
                                                             {{"type", "paragraphText"}, {"characterStyle", "Em"}}}}}}}};
    if (Chance(2)) d["defaultLanguage"] = "Elvish";
    d["characterStyles"] = {{{"name", "Em"}, {"attributes", Attributes()}}, {{"name", "Code:Inline"}}};
    d["paragraphStyles"] = {{{"name", "Head"}, {"numbering", "numbered"}, {"list", "h"}, {"level", 2}, {"format", "^1.^2"}},
                            {{"name", "Body"}, {"attributes", Attributes()}}};
    const int spreads = 1 + Pick(3);
    for (int i = 0; i < spreads; ++i) d["spreads"].push_back({{"pages", 1 + Pick(2)}});
    if (Chance(2)) d["sections"] = {{{"startPage", 0}, {"style", "lowerRoman"}, {"prefix", "P-"}}};
    if (Chance(2)) d["chapterNumber"] = {{"number", 4}, {"style", "upperLetters"}};
    if (Chance(2)) d["footnotes"] = {{"start", 3}, {"separator", ". "}, {"referenceSuffix", ")"}};
    const int stories = 1 + Pick(3);
    for (int s = 0; s < stories; ++s) d["stories"].push_back(Story(s));
    json& last = d["stories"][0]["paragraphs"];
    // Every marker and anchor named stands somewhere.
    while (markers_ < kMarkers) last.push_back({{"runs", {{{"sourceMarker", {{"name", "M" + std::to_string(markers_++)}}}}}}});
    while (anchors_ < kAnchors)
      last.push_back({{"runs", {{{"textAnchor", {{"name", "A" + std::to_string(anchors_++)}}}}, "anchored"}}});
    return d;
  }

private:
  static constexpr int kMarkers = 3, kAnchors = 2;

  int Pick(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }
  bool Chance(int n) { return Pick(n) == 0; }

  json Attributes() {
    json a = json::object();
    if (Chance(2)) a["font"] = Chance(2) ? "Serif" : "Mono";
    if (Chance(3)) a["fontStyle"] = "Italic";
    if (Chance(2)) a["pointSize"] = std::vector<double>{8, 9.5, 14.25}[Pick(3)];
    if (Chance(3)) a["color"] = Chance(2) ? "Accent" : "Grey";
    if (Chance(3)) a["underline"] = Chance(2);
    if (Chance(4)) a["strikethrough"] = true;
    if (Chance(4)) a["noBreak"] = Chance(2);
    if (Chance(3)) a["position"] = std::vector<const char*>{"normal", "superscript", "subscript"}[Pick(3)];
    if (Chance(3)) a["capitalization"] = std::vector<const char*>{"smallCaps", "allCaps"}[Pick(2)];
    if (Chance(4)) a["language"] = Chance(2) ? "German" : "Elvish";
    return a;
  }

  std::string Words() {
    static const char* const kWords[] = {"alpha", "beta\tgamma", "delta", "line\nbreak", "épsilon", "zeta"};
    std::string s;
    for (int i = 0, n = 1 + Pick(4); i < n; ++i) s += std::string(i ? " " : "") + kWords[Pick(6)];
    return s;
  }

  json CrossRef() {
    json x = {{"source", "M" + std::to_string(Pick(kMarkers + 1))}};  // M3 is never placed: broken
    if (Chance(2)) x["format"] = Chance(2) ? "Page" : "Heading";
    else x["markup"] = "<paratext/>, page <pagenum/>";
    return {{"crossReference", x}};
  }

  // A run of a paragraph (inFootnote: of a footnote, which holds no
  // footnote, anchor or native cross-reference).
  json Run(bool inFootnote, json* runs) {
    switch (Pick(inFootnote ? 5 : 9)) {
      case 0: return Words();
      case 1: return {{"text", Words()}, {"style", Chance(2) ? "Em" : "Code:Inline"}};
      case 2: return {{"text", Words()}, {"attributes", Attributes()}};
      case 3: return CrossRef();
      case 4:
        if (markers_ < kMarkers) return {{"sourceMarker", {{"name", "M" + std::to_string(markers_++)}}}};
        return {{"variable", "Product"}};
      case 5: {
        if (!Chance(2)) return {{"footnote", Words()}};
        json note = json::array();
        for (int i = 0, n = 1 + Pick(3); i < n; ++i) note.push_back(Run(true, &note));
        return {{"footnote", note}};
      }
      case 6:
        if (anchors_ < kAnchors) {
          runs->push_back({{"textAnchor", {{"name", "A" + std::to_string(anchors_++)}}}});
          return Words();  // an anchor stands on the character after it
        }
        return Words();
      case 7: {
        json n = {{"destination", "A" + std::to_string(Pick(kAnchors))}, {"format", "See"}};
        if (Chance(2)) n["text"] = "old text";
        return {{"nativeCrossReference", n}};
      }
      default: return {{"text", Words()}, {"style", "Em"}, {"attributes", Attributes()}};
    }
  }

  json Story(int number) {
    json story = {{"paragraphs", json::array()}};
    story["frames"].push_back({{"page", 0}, {"columns", 20 + Pick(30)}, {"lines", 3 + Pick(10)}});
    if (Chance(2)) story["frames"].push_back({{"pasteboard", 0}, {"columns", 30}, {"lines", 4}, {"x", 12.5}});
    // A locked story refuses markers and cross-references: plain text only.
    const bool locked = number > 0 && Chance(3);
    if (locked) story["locked"] = true;
    for (int p = 0, n = 1 + Pick(5); p < n; ++p) {
      if (locked || Chance(4)) {
        story["paragraphs"].push_back(Words());
        continue;
      }
      json para = {{"runs", json::array()}};
      if (Chance(2)) para["style"] = Chance(2) ? "Head" : "Body";
      if (Chance(4)) para["numbering"] = "bullets";
      for (int r = 0, m = Pick(5); r < m; ++r) {
        json run = Run(false, &para["runs"]);
        para["runs"].push_back(run);
      }
      story["paragraphs"].push_back(para);
    }
    return story;
  }

  std::mt19937 rng_;
  int markers_ = 0, anchors_ = 0;
};
}  // namespace

TEST(ExportRoundTrip, GeneratedDocumentsBuildBackToWhatTheyWere) {
  const char* more = std::getenv("XREF_EXPORT_SEEDS");
  const unsigned seeds = more ? static_cast<unsigned>(std::atoi(more)) : 6;
  for (unsigned seed = 1; seed <= seeds; ++seed) {
    TempDir dir;
    const std::string desc = dir.File("generated.json");
    std::ofstream(desc) << Generator(seed).Document().dump(1);
    ExpectRoundTrip(desc, "seed " + std::to_string(seed));
    if (HasFailure()) break;
  }
}

TEST(ExportRoundTrip, EverySampleBuildsBackToWhatItWas) {
  const std::string samples = std::string(XREF_SOURCE_DIR) + "/samples/";
  for (const char* sample : {"sample.json", "manual.json", "migration/basic.json", "workflow/chapter.json",
                             "workflow/chapter-revised.json", "workflow/book.json"}) {
    TempDir dir;
    // The book names the chapter's document beside it.
    std::filesystem::copy_file(samples + "workflow/chapter.json", dir.File("chapter.json"));
    ASSERT_EQ(0, RunXref("build " + Quote(dir.File("chapter.json")) + " -o " + Quote(dir.File("chapter.xrefdoc"))).exitCode);
    const std::string desc = dir.File("sample.json");
    std::filesystem::copy_file(samples + sample, desc);
    ExpectRoundTrip(desc, sample);
  }
}

TEST(ExportCommand, WritesEachKindOfPlaceholderAndNamesOtherDocumentsRelatively) {
  TempDir dir;
  std::ofstream(dir.File("far.json")) << R"({"stories": [{"paragraphs": [{"runs": [{"sourceMarker": {"name": "Far"}}, "Far away"]}]}]})";
  ASSERT_EQ(0, RunXref("build " + Quote(dir.File("far.json")) + " -o " + Quote(dir.File("far.xrefdoc"))).exitCode);
  std::ofstream(dir.File("near.json")) << R"({"formats": [{"name": "Page", "markup": "page <pagenum/>"}],
    "stories": [{"paragraphs": [{"runs": [{"sourceMarker": {"name": "Here"}}, "Here",
      {"footnote": ["See ", {"crossReference": {"source": "Far", "document": "far.xrefdoc", "markup": "<paratext/>"}}]},
      {"crossReference": {"source": "Here", "format": "Page"}}]}]}]})";
  ProgramRun run = RunXref("export " + Quote(dir.File("near.json")), false);
  ASSERT_EQ(0, run.exitCode) << run.out;
  const json runs = json::parse(run.out)["stories"][0]["paragraphs"][0]["runs"];
  ASSERT_EQ(4u, runs.size()) << run.out;
  EXPECT_EQ(json({{"sourceMarker", {{"name", "Here"}}}}), runs[0]);
  EXPECT_EQ("Here", runs[1]);
  // On standard output, other documents go by their full paths.
  EXPECT_EQ(json({"See ", {{"crossReference", {{"source", "Far"}, {"markup", "<paratext/>"}, {"document", dir.File("far.xrefdoc")}}}}}),
            runs[2]["footnote"]);
  EXPECT_EQ(json({{"crossReference", {{"source", "Here"}, {"format", "Page"}}}}), runs[3]);
  // Written elsewhere, the other document is named from there.
  std::filesystem::create_directories(dir.File("sub"));
  ASSERT_EQ(0, RunXref("export " + Quote(dir.File("near.json")) + " -o " + Quote(dir.File("sub/near.json"))).exitCode);
  EXPECT_NE(std::string::npos, FileBytes(dir.File("sub/near.json")).find("\"../far.xrefdoc\""));
  EXPECT_EQ(2, RunXref("export " + Quote(dir.File("missing.xrefdoc"))).exitCode);
}
