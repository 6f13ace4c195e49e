#include "headless/database/DocumentFile.h"
#include "headless/text/DocumentBuilder.h"
#include "headless/text/TextClipboard.h"
#include "host/CopyUtils.h"
#include "host/CreateObject.h"
#include "host/IAttrReport.h"
#include "host/ICharAttrStrand.h"
#include "host/ITextAttrUID.h"
#include "host/TextAttr.h"
#include "host/ITextAttributes.h"
#include "host/IStyleGroupManager.h"
#include "tests/support/TestApp.h"
#include "tests/support/TestAttrReport.h"
#include "tests/support/TextTestSupport.h"

namespace {
AttributeBossList Tag(UID uid) {
  InterfacePtr<ITextAttrUID> tag(CreateObject<ITextAttrUID>(kTestReportedAttrBoss));
  EXPECT_TRUE(tag);
  tag->Set(uid);
  AttributeBossList list;
  list.ApplyAttribute(tag->ToAttribute());
  return list;
}

UID TagAt(IDataBase* db, UID story, TextIndex at) {
  auto chars = StrandOf<ICharAttrStrand>(db, story, kCharAttrStrandBoss);
  TextAttribute a;
  return chars && chars->GetOverride(at, kTestReportedAttrBoss, &a) ? TextAttr::AsUID(a) : kInvalidUID;
}
}  // namespace

TEST(UIDAttribute, AppliedUndoneSavedReloadedAndCopiedWithItsUIDRemapped) {
  RegisterTestAttrReport();
  TestApp app;
  TempDir dir;
  DataBase* doc = app->NewDocument();
  UID story = MakeStory(doc, "see page 4 here");
  const UID target = story;  // the attribute names an object of the document: its own story
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc, story)->ApplyCmd(4, 6, Tag(target))));
  EXPECT_EQ(target, TagAt(doc, story, 4));
  EXPECT_EQ(target, TagAt(doc, story, 9));
  EXPECT_EQ(kInvalidUID, TagAt(doc, story, 10));
  TextAttribute inForce;
  InterfacePtr<ITextAttributes> attrs(doc, story, IID_ITEXTATTRIBUTES);
  ASSERT_TRUE(attrs->GetAttributeInForce(6, kTestReportedAttrBoss, &inForce));
  EXPECT_EQ(target, TextAttr::AsUID(inForce));
  doc->Undo();
  EXPECT_EQ(kInvalidUID, TagAt(doc, story, 4));
  doc->Redo();
  EXPECT_EQ(target, TagAt(doc, story, 4));

  std::string error;
  ASSERT_TRUE(app->SaveDocumentAs(doc, dir.File("tagged.xrefdoc"), &error)) << error;
  auto back = DocumentFile::Load(dir.File("tagged.xrefdoc"), DocumentFile::kDocument, &error);
  ASSERT_TRUE(back) << error;
  EXPECT_EQ(target, TagAt(back.get(), story, 7));

  // Copied into another document, the attribute names the copy.
  DataBase* other = app->NewDocument();
  UID copied = CopyUtils::CopyObject(UIDRef(doc, story), other);
  ASSERT_NE(kInvalidUID, copied);
  EXPECT_EQ(copied, TagAt(other, copied, 5));
}

TEST(UIDAttribute, TheReportKeepsItOffTypedTextStylesAndResolvedLists) {
  RegisterTestAttrReport();
  TestApp app;
  DataBase* doc = app->NewDocument();
  UID story = MakeStory(doc, "abc def");
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc, story)->ApplyCmd(0, 3, Tag(UID{7}))));
  // Typed right after (and inside) the tagged text: not carried.
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc, story)->InsertCmd(3, WideString("X"))));
  EXPECT_EQ(kInvalidUID, TagAt(doc, story, 3));
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc, story)->InsertCmd(1, WideString("Y"))));
  EXPECT_EQ(kInvalidUID, TagAt(doc, story, 1));
  EXPECT_EQ(UID{7}, TagAt(doc, story, 2));
  // Queries by class see it; resolved lists do not.
  InterfacePtr<ITextAttributes> attrs(doc, story, IID_ITEXTATTRIBUTES);
  EXPECT_FALSE(attrs->GetResolvedAttributes(2).Find(kTestReportedAttrBoss));
  // Copied with text: pasting in the same document brings it back.
  ASSERT_EQ(kSuccess, TextClipboard::Copy(UIDRef(doc, story), 2, 2));
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc, story)->PasteCmd(6)));
  EXPECT_EQ(UID{7}, TagAt(doc, story, 6));
  TextClipboard::Clear();
  // Styles drop it.
  DocumentBuilder builder(doc);
  AttributeBossList styleAttrs = Tag(UID{7});
  styleAttrs.ApplyAttribute(TextAttr::PointSize(20));
  UID style = builder.AddCharacterStyle("Tagged", styleAttrs);
  ASSERT_EQ(kSuccess, Process(CmdsOf(doc, story)->ApplyCharStyleCmd(4, 1, style)));
  EXPECT_EQ(kInvalidUID, TagAt(doc, story, 4));
  TextAttribute size;
  ASSERT_TRUE(attrs->GetAttributeInForce(5, kTextAttrPointSizeBoss, &size));
  EXPECT_EQ(20.0, size.realValue);
  ASSERT_TRUE(attrs->GetAttributeInForce(5, kTestReportedAttrBoss, &size) == false);

  InterfacePtr<IAttrReport> report(CreateObject<IAttrReport>(kTestReportedAttrBoss));
  PMString text("A ");
  report->AppendDescription(&text);
  EXPECT_EQ("A Test Attribute", text.GetUTF8String());
}
