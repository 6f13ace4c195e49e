// xref build places the source markers a description asks for; markers
// that cannot be placed stop the build with where and why.
#include "host/IStoryList.h"
#include "tests/support/RunProgram.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"
#include <fstream>

namespace {
ProgramRun BuildJson(const TempDir& dir, const std::string& json) {
  std::ofstream(dir.File("d.json")) << json;
  return RunXref("build '" + dir.File("d.json") + "' -o '" + dir.File("d.xrefdoc") + "'");
}

std::string Marker(const std::string& fields) { return "{\"sourceMarker\": " + fields + "}"; }
}  // namespace

TEST(PlaceSourceMarkers, MarkersGoWhereTheDescriptionPutsThemAndLaterPlacesFollow) {
  TempDir dir;
  ProgramRun run = BuildJson(
      dir, "{\"stories\": [{\"paragraphs\": [{\"runs\": [\"ab\", " + Marker("{\"name\": \"B\"}") + ", " +
               Marker("{\"name\": \"C\"}") + ", \"cd\", " + Marker("{\"name\": \"A\"}") +
               ", {\"crossReference\": {\"source\": \"A\", \"markup\": \"<marker/>\"}}]}, \"next\"]},"
               " {\"paragraphs\": [{\"runs\": [" + Marker("{\"name\": \"Other\"}") + ", \"x\"]}]}]}");
  ASSERT_EQ(0, run.exitCode) << run.out;
  EXPECT_EQ(std::string::npos, run.out.find("sourceMarker placeholder"));
  EXPECT_EQ(std::string::npos, run.out.find("placeholder(s) not placed yet"));

  TestApp app;
  std::string error;
  DataBase* doc = app->OpenDocument(dir.File("d.xrefdoc"), &error);
  ASSERT_TRUE(doc) << error;
  InterfacePtr<IStoryList> stories(doc, kRootUID, IID_ISTORYLIST);
  const UID first = stories->GetNthStoryUID(0);
  const std::string anchor = "\xEF\xBB\xBF";
  EXPECT_EQ("ab" + anchor + anchor + "cd" + anchor + anchor + "A" + anchor + "\rnext\r", StoryText(doc, first));
  EXPECT_EQ((std::vector<std::string>{"B", "C", "A", "Other"}), ListedNames(doc));
  auto list = MarkerList(doc);
  const TextIndex expected[] = {2, 3, 6, 0};
  for (int32 i = 0; i < 4; ++i) {
    InterfacePtr<IXRefSourceMarker> marker(list->QueryMarker(i));
    EXPECT_EQ(expected[i], marker->GetTextIndex()) << i;
    EXPECT_EQ(stories->GetNthStoryUID(i < 3 ? 0 : 1), marker->GetStoryRef().GetUID()) << i;
  }
  // What was built is a plain document: the markers' insertion is no undo step.
  EXPECT_FALSE(doc->CanUndo());
}

TEST(PlaceSourceMarkers, MarkersThatCannotBePlacedStopTheBuild) {
  TempDir dir;
  auto story = [](const std::string& marker, bool locked = false) {
    return std::string("{\"stories\": [{") + (locked ? "\"locked\": true, " : "") +
           "\"paragraphs\": [{\"runs\": [\"text\", " + marker + "]}]}]}";
  };
  struct Case {
    std::string json;
    std::string message;
  } cases[] = {
      {story(Marker("{}")), "stories[0].paragraphs[0].runs[1].sourceMarker.name: a source marker needs a name"},
      {story(Marker("{\"name\": \"\"}")), "sourceMarker.name: a source marker needs a name"},
      {story(Marker("{\"name\": 7}")), "sourceMarker.name: a source marker needs a name"},
      {story(Marker("{\"name\": \"A\", \"colour\": \"red\"}")), "sourceMarker.colour: unknown field"},
      {story(Marker("{\"name\": \"Intro\"}") + ", " + Marker("{\"name\": \"INTRO\"}")),
       "runs[2].sourceMarker.name: a source marker named 'INTRO' is already placed"},
      {story(Marker("{\"name\": \"A\"}"), true), "runs[1].sourceMarker: the source marker 'A' cannot be placed: "
                                                "the story is locked"},
  };
  for (const Case& c : cases) {
    ProgramRun run = BuildJson(dir, c.json);
    EXPECT_EQ(2, run.exitCode) << c.json;
    EXPECT_NE(std::string::npos, run.out.find(c.message)) << c.json << "\n" << run.out;
    EXPECT_FALSE(std::ifstream(dir.File("d.xrefdoc")).good()) << "nothing is written for " << c.json;
  }
}
