#include "host/APath.h"
#include "host/FileUtils.h"
#include "host/GlobalTime.h"
#include "host/ITextHolder.h"
#include "host/ITextHolderUtils.h"
#include "host/UtilsBoss.h"
#include "headless/objects/Clock.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"
#include <filesystem>
#include <fstream>

namespace {
std::vector<std::string> Parts(const APath& p) {
  std::vector<std::string> out;
  for (const WideString& c : p.GetComponents()) out.push_back(c.GetUTF8String());
  return out;
}
}  // namespace

TEST(Paths, ComponentsParentsAndAbsoluteForms) {
  EXPECT_EQ((std::vector<std::string>{"/", "books", "ch1", "intro.xrefdoc"}), Parts(APath("/books//ch1/./intro.xrefdoc")));
  EXPECT_EQ((std::vector<std::string>{"..", "ch2", "a.xrefdoc"}), Parts(APath("../ch2/a.xrefdoc")));
  EXPECT_TRUE(Parts(APath()).empty());
  APath rebuilt = APath::FromComponents({WideString("/"), WideString("books"), WideString("a.xrefdoc")}, false);
  EXPECT_EQ("/books/a.xrefdoc", rebuilt.GetString());
  EXPECT_TRUE(rebuilt.IsAbsolute());
  APath relative = APath::FromComponents({WideString(".."), WideString("ch2"), WideString("a.xrefdoc")}, true);
  EXPECT_EQ("../ch2/a.xrefdoc", relative.GetString());
  EXPECT_TRUE(relative.IsRelative());
  EXPECT_EQ("/books/ch1", APath("/books/ch1/intro.xrefdoc").GetParent().GetString());
  EXPECT_TRUE(APath("/").GetParent().IsEmpty());
  EXPECT_EQ("/books/ch2/a.xrefdoc", relative.MakeAbsolute(APath("/books/ch1")).GetString());
  EXPECT_EQ("/x/y", APath("/x/./z/../y").MakeAbsolute(APath("/books")).GetString());
  EXPECT_TRUE(APath().MakeAbsolute(APath("/books")).IsEmpty());
}

TEST(Paths, CaseInsensitiveComponentsAliasesAndFiles) {
  EXPECT_TRUE(APath::ComponentsEqualIgnoringCase(WideString("Chapter.XREFDOC"), WideString("chapter.xrefdoc")));
  EXPECT_TRUE(APath::ComponentsEqualIgnoringCase(WideString("STRASSE"), WideString("stra\xC3\x9F" "e")));
  EXPECT_FALSE(APath::ComponentsEqualIgnoringCase(WideString("a.xrefdoc"), WideString("b.xrefdoc")));
  TempDir dir;
  std::filesystem::create_directories(dir.File("real"));
  std::ofstream(dir.File("real/doc.xrefdoc")) << "x";
  std::filesystem::create_directory_symlink(dir.File("real"), dir.File("alias"));
  APath viaAlias(dir.File("alias/doc.xrefdoc"));
  APath real = APath(dir.File("real/doc.xrefdoc")).ResolveAliases();
  EXPECT_EQ(real, viaAlias.ResolveAliases());
  EXPECT_EQ(real.GetString(), APath(dir.File("alias/../real/doc.xrefdoc")).ResolveAliases().GetString());
  // A file not there yet keeps its name under the resolved folder.
  EXPECT_EQ(real.GetParent().GetString() + "/new.xrefdoc", APath(dir.File("alias/new.xrefdoc")).ResolveAliases().GetString());
  EXPECT_TRUE(FileUtils::DoesFileExist(viaAlias.GetIDFile()));
  EXPECT_FALSE(FileUtils::DoesFileExist(IDFile(dir.File("none"))));
  PMString text = FileUtils::SysFileToPMString(IDFile(std::string("/a b/c.xrefdoc")));
  EXPECT_EQ("/a b/c.xrefdoc", text.GetUTF8String());
  EXPECT_FALSE(text.GetTranslatable());
}

TEST(HostClock, CurrentTimeReadsTheHostClock) {
  VirtualClock clock;
  TestApp app(&clock);
  GlobalTime before = GlobalTime::CurrentTime();
  clock.Advance(1500 * 1000);
  EXPECT_EQ(before.GetTime() + 1500 * 1000, GlobalTime::CurrentTime().GetTime());
}

TEST(TextHolders, NoHolderAnswersNoneUntilOneHoldsThePosition) {
  TestApp app;
  DataBase* doc = app->NewDocument();
  UID story = MakeStory(doc, "hello world");
  InterfacePtr<ITextHolderUtils> utils(UtilsBoss::QueryUtils<ITextHolderUtils>());
  ASSERT_TRUE(utils);
  for (TextIndex at : {0, 5, 11}) EXPECT_EQ(UIDRef(doc, kInvalidUID), utils->QueryHolderOfPosition(UIDRef(doc, story), at));
  EXPECT_EQ(UIDRef(), utils->QueryHolderOfPosition(UIDRef(doc, UID{999}), 0));
  InterfacePtr<ITextHolderList> list(doc, kRootUID, IID_ITEXTHOLDERLIST);
  ASSERT_TRUE(list);
  list->AddHolder(UID{999});  // a holder that cannot be instantiated is passed over
  list->AddHolder(UID{999});
  EXPECT_EQ(1, list->GetHolderCount());
  EXPECT_EQ(UIDRef(doc, kInvalidUID), utils->QueryHolderOfPosition(UIDRef(doc, story), 3));
  list->RemoveHolder(UID{999});
  EXPECT_EQ(0, list->GetHolderCount());
}
