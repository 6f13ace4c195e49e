#include "bench/LargeDocument.h"
#include <algorithm>
#include <fstream>
#include <random>
#include <vector>

using nlohmann::json;

namespace {
const char* const kWords[] = {"the",    "layout", "of",     "a",      "page",  "keeps", "its",   "text",
                              "within", "frames", "while",  "every",  "story", "flows", "from",  "one",
                              "column", "into",   "next",   "marker", "names", "where", "words", "stand"};

// Which paragraphs get what: objects spread evenly, so that the same spec
// at twice the length has them twice as far apart.
std::vector<int32_t> Spread(int32_t count, int32_t paragraphs, std::mt19937& rng) {
  std::vector<int32_t> at;
  for (int32_t i = 0; i < count; ++i) {
    const int32_t slot = static_cast<int32_t>(static_cast<int64_t>(i) * paragraphs / count);
    at.push_back(slot);
  }
  std::shuffle(at.begin(), at.end(), rng);
  return at;
}

std::string Words(std::mt19937& rng, int32_t length) {
  std::string text;
  while (static_cast<int32_t>(text.size()) < length) {
    if (!text.empty()) text += ' ';
    text += kWords[rng() % (sizeof(kWords) / sizeof(kWords[0]))];
  }
  return text;
}
}  // namespace

json LargeDescription(const LargeDocumentSpec& spec) {
  std::mt19937 rng(spec.seed);
  constexpr int32_t kParagraph = 200;
  const int32_t paragraphs = std::max<int32_t>(spec.characters / kParagraph, spec.headings + 1);
  std::vector<std::vector<json>> extras(static_cast<size_t>(paragraphs));
  std::vector<bool> heading(static_cast<size_t>(paragraphs), false);
  std::vector<int32_t> headingAt = Spread(spec.headings, paragraphs, rng);
  std::sort(headingAt.begin(), headingAt.end());
  for (int32_t h = 0; h < spec.headings; ++h) heading[static_cast<size_t>(headingAt[static_cast<size_t>(h)])] = true;
  // Headings hold only their marker, so the other objects go into the
  // body paragraphs.
  std::vector<int32_t> bodyAt;
  for (int32_t p = 0; p < paragraphs; ++p)
    if (!heading[static_cast<size_t>(p)]) bodyAt.push_back(p);
  const int32_t bodies = static_cast<int32_t>(bodyAt.size());
  auto into = [&](int32_t slot) -> std::vector<json>& { return extras[static_cast<size_t>(bodyAt[static_cast<size_t>(slot)])]; };
  int32_t made = 0;
  for (int32_t slot : Spread(spec.crossRefs, bodies, rng)) {
    const std::string source = "H" + std::to_string(rng() % static_cast<uint32_t>(std::max(spec.headings, 1)));
    const char* format = made++ % 2 ? "Page" : "Heading & Page";
    into(slot).push_back({{"crossReference", {{"source", source}, {"format", format}}}});
  }
  for (int32_t slot : Spread(spec.externalRefs, bodies, rng)) {
    json ref = {{"source", spec.externalMarker}, {"format", "Page"}, {"document", spec.externalDocument}};
    into(slot).push_back({{"crossReference", ref}});
  }
  for (int32_t slot : Spread(spec.footnotes, bodies, rng)) into(slot).push_back({{"footnote", Words(rng, 40)}});

  json body = json::array();
  int32_t headingNumber = 0;
  for (int32_t p = 0; p < paragraphs; ++p) {
    json runs = json::array();
    if (heading[static_cast<size_t>(p)]) {
      const std::string name = "H" + std::to_string(headingNumber++);
      if (spec.withObjects) runs.push_back({{"sourceMarker", {{"name", name}}}});
      runs.push_back(Words(rng, 30));
      body.push_back({{"style", "Heading"}, {"runs", runs}});
      continue;
    }
    const auto& objects = extras[static_cast<size_t>(p)];
    const int32_t piece = kParagraph / static_cast<int32_t>(objects.size() + 1);
    runs.push_back(Words(rng, piece));
    for (const json& object : objects) {
      if (spec.withObjects) runs.push_back(object);
      runs.push_back(" " + Words(rng, piece));
    }
    body.push_back({{"style", "Body"}, {"runs", runs}});
  }
  // Pages enough for the whole story, two to a spread, so that every page
  // number a cross-reference shows is a real one.
  constexpr int32_t kPage = 60 * 40;
  const int32_t pages = spec.characters / (kPage / 2) + 1;
  json frames = json::array(), spreads = json::array();
  for (int32_t page = 0; page < pages; ++page) frames.push_back({{"page", page}, {"columns", 60}, {"lines", 40}});
  for (int32_t page = 0; page < pages; page += 2) spreads.push_back({{"pages", std::min(2, pages - page)}});
  json story = {{"frames", frames}, {"paragraphs", body}};
  const json formats = json::array({{{"name", "Heading & Page"}, {"markup", "^{<paratext/>^} on page <pagenum/>"}},
                                    {{"name", "Page"}, {"markup", "page^s<pagenum/>"}}});
  return {{"version", 1},
          {"formats", formats},
          {"paragraphStyles", json::array({{{"name", "Heading"}}, {{"name", "Body"}}})},
          {"spreads", spreads},
          {"stories", json::array({story})}};
}

bool WriteLargeDescription(const LargeDocumentSpec& spec, const std::string& path) {
  std::ofstream out(path);
  out << LargeDescription(spec).dump();
  return static_cast<bool>(out);
}
