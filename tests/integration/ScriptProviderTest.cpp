// The plug-in's script providers reached through the host's object model:
// what they count, what their properties answer, and what setting them and
// running their methods changes.
#include "headless/scripting/ScriptModel.h"
#include "host/IDocument.h"
#include "host/ITextModel.h"
#include "host/StandardDataInterfaces.h"
#include "host/IOwnedItemStrand.h"
#include "host/TextIDs.h"
#include "format/XRefFormatID.h"
#include "integration/XRefScriptID.h"
#include "model/IXRefCrossRefTextMarker.h"
#include "model/IXRefFormats.h"
#include "model/XRefModelID.h"
#include "tests/support/CrossRefTestSupport.h"
#include "tests/support/SourceMarkerTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"

namespace {
class ScriptProviders : public ::testing::Test {
protected:
  void SetUp() override {
    db_ = app_->NewDocument();
    story_ = MakeStory(db_, "Heading one\rSee here.\r");
    other_ = MakeStory(db_, "Second story.");
    marker_ = InsertMarker(db_, story_, 0, "Target");
  }

  ScriptObject Document() {
    ScriptObject doc;
    EXPECT_EQ(model_->Nth(model_->Application(), kDocumentScriptClass, 0, &doc), kSuccess);
    return doc;
  }
  ScriptObject Story(int32 n) {
    ScriptObject story;
    EXPECT_EQ(model_->Nth(Document(), kStoryScriptClass, n, &story), kSuccess);
    return story;
  }
  ScriptObject Nth(const ScriptObject& parent, ScriptID cls, int32 n) {
    ScriptObject object;
    EXPECT_EQ(model_->Nth(parent, cls, n, &object), kSuccess);
    return object;
  }
  UID CrossRefAt(UID story, TextIndex at) {
    CrossRefRequest r;
    r.start = at;
    r.marker = "Target";
    return InsertCrossRef(db_, story, r);
  }
  std::string GetString(const ScriptObject& object, ScriptID property) {
    ScriptData data;
    EXPECT_EQ(model_->Get(object, property, &data), kSuccess);
    PMString s;
    EXPECT_TRUE(data.GetString(&s));
    return s.GetUTF8String();
  }
  int32 GetInt(const ScriptObject& object, ScriptID property) {
    ScriptData data;
    EXPECT_EQ(model_->Get(object, property, &data), kSuccess);
    int32 v = -99;
    EXPECT_TRUE(data.GetInt(&v));
    return v;
  }
  ErrorCode SetString(const ScriptObject& object, ScriptID property, const std::string& value) {
    ScriptData data;
    data.SetString(PMString(value.c_str()));
    return model_->Set(object, property, data);
  }
  ScriptObject Text(const ScriptObject& story, TextIndex start, int32 length) {
    return std::make_shared<CTextScript>(story->GetUIDRef(), start, length, story);
  }
  ScriptObject Create(const ScriptObject& parent, ScriptID cls, const ScriptArgs& args, ErrorCode expected = kSuccess) {
    ScriptData result;
    EXPECT_EQ(model_->Call({parent, kCreateMethod, cls, args}, &result), expected);
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    return result.GetObject();
  }
  static ScriptData String(const std::string& s) {
    ScriptData d;
    d.SetString(PMString(s.c_str()));
    return d;
  }
  static ScriptData Object(const ScriptObject& o) {
    ScriptData d;
    d.SetObject(o);
    return d;
  }

  TestApp app_;
  std::unique_ptr<ScriptModel> model_ = std::make_unique<ScriptModel>();
  DataBase* db_ = nullptr;
  UID story_ = kInvalidUID, other_ = kInvalidUID, marker_ = kInvalidUID;
};

TEST_F(ScriptProviders, IndexIsOneLessThanTheFirstIndexOfTheText) {
  const UID id = CrossRefAt(story_, 17);
  ScriptObject crossRef = Nth(Document(), kXRefCrossRefScriptClass, 0);
  InterfacePtr<IXRefCrossRef> model = CrossRef(db_, id);
  const int32 pidx = GetInt(crossRef, kIndexProperty);
  EXPECT_EQ(pidx, model->GetStartIndex() - 1);
  // The start marker's own character is there.
  InterfacePtr<ITextModel> text(db_, story_, IID_ITEXTMODEL);
  InterfacePtr<IOwnedItemStrand> strand(
      static_cast<IOwnedItemStrand*>(text->QueryStrand(kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND)));
  EXPECT_NE(strand->GetOwnedUID(pidx, kXRefCrossRefStartMarkerBoss), kInvalidUID);
  ScriptData textObject;
  ASSERT_EQ(model_->Get(crossRef, kTextObjectProperty, &textObject), kSuccess);
  EXPECT_EQ(GetInt(textObject.GetObject(), kIndexProperty), pidx + 1);
  // The location covers the start marker up to the end marker.
  ScriptData location;
  ASSERT_EQ(model_->Get(crossRef, kXRefLocationProperty, &location), kSuccess);
  EXPECT_EQ(GetInt(location.GetObject(), kIndexProperty), pidx);
  EXPECT_EQ(GetInt(location.GetObject(), kLengthProperty), model->GetEndIndex() - pidx);
}

TEST_F(ScriptProviders, CrossReferencesOfAStoryAreCountedByTheirStartMarkers) {
  const UID inStory = CrossRefAt(story_, 17);
  const UID inOther = CrossRefAt(other_, 0);
  EXPECT_EQ(model_->Count(Document(), kXRefCrossRefScriptClass), 2);
  EXPECT_EQ(model_->Count(Story(0), kXRefCrossRefScriptClass), 1);
  EXPECT_EQ(model_->Count(Story(1), kXRefCrossRefScriptClass), 1);
  // A range that holds only the end marker of the first does not count it.
  InterfacePtr<IXRefCrossRef> first = CrossRef(db_, inStory);
  const TextIndex start = first->GetStartIndex() - 1, end = first->GetEndIndex();
  EXPECT_EQ(model_->Count(Text(Story(0), start, 1), kXRefCrossRefScriptClass), 1);
  EXPECT_EQ(model_->Count(Text(Story(0), start + 1, end - start), kXRefCrossRefScriptClass), 0);
  EXPECT_EQ(Nth(Story(1), kXRefCrossRefScriptClass, 0)->GetUIDRef().GetUID(), inOther);
  EXPECT_EQ(Nth(Story(0), kXRefCrossRefScriptClass, 0)->GetUIDRef().GetUID(), inStory);
}

TEST_F(ScriptProviders, ASourceMarkerMadeWithoutANameGetsTheUntitledName) {
  ScriptObject made = Create(Story(1), kXRefSourceMarkerScriptClass, {{kTextObjectProperty, Object(Text(Story(1), 3, 0))}});
  ASSERT_TRUE(made);
  PMString untitled("QX#0xF2C#kXRefUntitledSourceMarkerKey");
  untitled.Translate();
  EXPECT_EQ(GetString(made, kNameProperty), untitled.GetUTF8String());
  EXPECT_NE(untitled.GetUTF8String(), "QX#0xF2C#kXRefUntitledSourceMarkerKey");
  EXPECT_EQ(GetInt(made, kIndexProperty), 3);
  EXPECT_EQ(model_->Count(Story(1), kXRefSourceMarkerScriptClass), 1);
  // A name given is kept, and the marker is found by it, ignoring case.
  ScriptObject named = Create(Text(Story(1), 0, 0), kXRefSourceMarkerScriptClass, {{kNameProperty, String("Start")}});
  ScriptObject found;
  ASSERT_EQ(model_->ByName(Document(), kXRefSourceMarkerScriptClass, PMString("START"), &found), kSuccess);
  EXPECT_TRUE(found->IsSame(*named));
  EXPECT_EQ(ListedNames(db_).size(), 3u);
  // Names stay unique: a second untitled marker gets another name, a name
  // in use is refused.
  ScriptObject again = Create(Story(1), kXRefSourceMarkerScriptClass, {{kTextObjectProperty, Object(Text(Story(1), 0, 0))}});
  ASSERT_TRUE(again);
  EXPECT_NE(GetString(again, kNameProperty), untitled.GetUTF8String());
  EXPECT_EQ(GetString(again, kNameProperty).rfind(untitled.GetUTF8String(), 0), 0u);
  Create(Document(), kXRefSourceMarkerScriptClass, {{kTextObjectProperty, Object(Text(Story(1), 0, 0))},
                                                    {kNameProperty, String("target")}},
         kScriptNameInUseError);
  EXPECT_EQ(SetString(named, kNameProperty, "TARGET"), kScriptNameInUseError);
  EXPECT_EQ(SetString(named, kNameProperty, "START"), kSuccess);
  EXPECT_EQ(ListedNames(db_).size(), 4u);
}

TEST_F(ScriptProviders, CreatingACrossReferenceWiresItWithoutComposing) {
  ScriptObject crossRef = Create(Document(), kXRefCrossRefScriptClass,
                                 {{kTextObjectProperty, Object(Text(Story(0), 17, 0))},
                                  {kXRefSourceMarkerNameProperty, String("Target")},
                                  {kXRefFormatStringProperty, String("<paratext/>")}});
  ASSERT_TRUE(crossRef);
  EXPECT_EQ(CrossRefList(db_)->GetCrossRefCount(), 1);
  InterfacePtr<IXRefCrossRef> model(crossRef->GetUIDRef());
  EXPECT_EQ(model->GetCompositionState(), -1);
  EXPECT_EQ(GetString(crossRef, kContentsProperty), "");
  EXPECT_EQ(GetInt(crossRef, kIndexProperty), 17);
  ScriptData none;
  ASSERT_EQ(model_->Call({crossRef, kXRefUpdateMethod, kXRefCrossRefScriptClass, {}}, &none), kSuccess);
  EXPECT_EQ(GetString(crossRef, kContentsProperty), "Heading one");
  // Its markers know it and each other.
  ScriptData start, partner, owner;
  ASSERT_EQ(model_->Get(crossRef, kXRefStartMarkerProperty, &start), kSuccess);
  ASSERT_EQ(model_->Get(start.GetObject(), kXRefPartnerMarkerProperty, &partner), kSuccess);
  ASSERT_EQ(model_->Get(partner.GetObject(), kXRefMarkerCrossRefProperty, &owner), kSuccess);
  EXPECT_EQ(partner.GetObject()->GetObjectType(), kXRefEndMarkerScriptClass);
  EXPECT_TRUE(owner.GetObject()->IsSame(*crossRef));
  // Without a format it cannot be made, and nothing is left behind.
  Create(Document(), kXRefCrossRefScriptClass,
         {{kTextObjectProperty, Object(Text(Story(0), 0, 0))}, {kXRefSourceMarkerNameProperty, String("Target")}},
         kXRefFormatNotFoundError);
  EXPECT_EQ(CrossRefList(db_)->GetCrossRefCount(), 1);
}

TEST_F(ScriptProviders, SettingPropertiesRunsTheCommands) {
  CrossRefAt(story_, 17);
  ScriptObject crossRef = Nth(Document(), kXRefCrossRefScriptClass, 0);
  EXPECT_EQ(SetString(crossRef, kXRefFormatStringProperty, "[<paratext/>]"), kSuccess);
  EXPECT_EQ(GetString(crossRef, kContentsProperty), "[Heading one]");
  EXPECT_EQ(GetString(crossRef, kXRefFormatNameProperty), "");
  EXPECT_EQ(SetString(crossRef, kXRefFormatNameProperty, "No Such Format"), kXRefFormatNotFoundError);
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  EXPECT_EQ(SetString(crossRef, kXRefSourceMarkerNameProperty, "Gone"), kSuccess);
  ScriptData broken;
  ASSERT_EQ(model_->Get(crossRef, kXRefSourceBrokenProperty, &broken), kSuccess);
  bool16 isBroken = false;
  EXPECT_TRUE(broken.GetBool(&isBroken));
  EXPECT_TRUE(isBroken);
  // Read-only properties refuse; unknown ones go to the base, which has none.
  EXPECT_EQ(SetString(crossRef, kContentsProperty, "typed"), kScriptReadOnlyPropertyError);
  ScriptData data;
  EXPECT_EQ(model_->Get(crossRef, MakeScriptID('z', 'z', 'z', 'z'), &data), kScriptPropertyNotHandledError);
  ASSERT_EQ(model_->Get(crossRef, kParentProperty, &data), kSuccess);
  EXPECT_EQ(data.GetObject()->GetObjectType(), kDocumentScriptClass);
}

TEST_F(ScriptProviders, DeletingACrossReferenceTakesItsTextAndMarkers) {
  CrossRefAt(story_, 17);
  InterfacePtr<ITextModel> text(db_, story_, IID_ITEXTMODEL);
  const int32 before = text->TotalLength();
  ScriptObject crossRef = Nth(Document(), kXRefCrossRefScriptClass, 0);
  ScriptData none;
  ASSERT_EQ(model_->Call({crossRef, kDeleteMethod, kXRefCrossRefScriptClass, {}}, &none), kSuccess);
  EXPECT_EQ(CrossRefList(db_)->GetCrossRefCount(), 0);
  EXPECT_EQ(text->TotalLength(), before - 2 - static_cast<int32>(std::string("Heading one").size()));
  EXPECT_EQ(model_->Get(crossRef, kContentsProperty, &none), kScriptObjectGoneError);
}

TEST_F(ScriptProviders, FormatsAreNamedProxiesThatFollowARename) {
  ScriptObject doc = Document();
  const int32 count = model_->Count(doc, kXRefFormatScriptClass);
  ScriptObject first = Create(doc, kXRefFormatScriptClass, {{kXRefFormatStringProperty, String("<pagenum/>")}});
  ScriptObject second = Create(doc, kXRefFormatScriptClass, {{kXRefFormatStringProperty, String("<pagenum/>")}});
  PMString untitled("QX#0xF2C#kXRefUntitledFormatKey");
  untitled.Translate();
  EXPECT_EQ(GetString(first, kXRefFormatNameProperty), untitled.GetUTF8String());
  EXPECT_EQ(GetString(second, kXRefFormatNameProperty), untitled.GetUTF8String() + " (2)");
  EXPECT_EQ(model_->Count(doc, kXRefFormatScriptClass), count + 2);
  EXPECT_EQ(SetString(first, kXRefFormatNameProperty, GetString(second, kXRefFormatNameProperty)), kScriptNameInUseError);
  EXPECT_EQ(SetString(first, kXRefFormatNameProperty, "Renamed"), kSuccess);
  EXPECT_EQ(GetString(first, kXRefFormatStringProperty), "<pagenum/>");
  ScriptObject found;
  ASSERT_EQ(model_->ByName(doc, kXRefFormatScriptClass, PMString("renamed"), &found), kSuccess);
  EXPECT_TRUE(found->IsSame(*first));
  ScriptData none;
  ASSERT_EQ(model_->Call({first, kDeleteMethod, kXRefFormatScriptClass, {}}, &none), kSuccess);
  EXPECT_EQ(model_->Count(doc, kXRefFormatScriptClass), count + 1);
  EXPECT_EQ(model_->Get(first, kXRefFormatNameProperty, &none), kScriptObjectGoneError);
}

TEST_F(ScriptProviders, LiveUpdatesAreSetThroughTheCommandOnTheDocumentsWorkspace) {
  ScriptData prefs;
  ASSERT_EQ(model_->Get(Document(), kXRefPrefsProperty, &prefs), kSuccess);
  ASSERT_EQ(prefs.GetObject()->GetObjectType(), kXRefPrefsScriptClass);
  InterfacePtr<IDocument> doc(db_, kRootUID, IID_IDOCUMENT);
  InterfacePtr<IBoolData> live(doc->GetDocWorkspace(), IID_IXREFLIVEUPDATES);
  const bool16 was = live->Get();
  ScriptData value;
  value.SetBool(!was);
  ASSERT_EQ(model_->Set(prefs.GetObject(), kXRefLiveUpdatesProperty, value), kSuccess);
  EXPECT_EQ(live->Get(), !was);
  ScriptData read;
  ASSERT_EQ(model_->Get(prefs.GetObject(), kXRefLiveUpdatesProperty, &read), kSuccess);
  bool16 on = was;
  EXPECT_TRUE(read.GetBool(&on));
  EXPECT_EQ(on, !was);
  // A command made the change, so it is undone as one.
  ASSERT_TRUE(db_->Undo());
  EXPECT_EQ(live->Get(), was);
  // Not a boolean: refused.
  EXPECT_EQ(model_->Set(prefs.GetObject(), kXRefLiveUpdatesProperty, String("yes")), kScriptBadValueError);
}

TEST_F(ScriptProviders, TextMarkersKnowTheirCrossReferenceAndPartner) {
  const UID id = CrossRefAt(story_, 17);
  EXPECT_EQ(model_->Count(Document(), kXRefStartMarkerScriptClass), 1);
  EXPECT_EQ(model_->Count(Story(1), kXRefEndMarkerScriptClass), 0);
  ScriptObject end = Nth(Story(0), kXRefEndMarkerScriptClass, 0);
  ScriptData owner;
  ASSERT_EQ(model_->Get(end, kXRefMarkerCrossRefProperty, &owner), kSuccess);
  EXPECT_EQ(owner.GetObject()->GetUIDRef().GetUID(), id);
  // A new start marker anchored in the other story, then pointed at the
  // cross-reference and the end marker through the set-up command.
  ScriptObject made = Create(Story(1), kXRefStartMarkerScriptClass, {{kTextObjectProperty, Object(Text(Story(1), 2, 1))}});
  ASSERT_TRUE(made);
  EXPECT_EQ(model_->Count(Story(1), kXRefStartMarkerScriptClass), 1);
  ASSERT_EQ(model_->Set(made, kXRefMarkerCrossRefProperty, owner), kSuccess);
  ASSERT_EQ(model_->Set(made, kXRefPartnerMarkerProperty, Object(end)), kSuccess);
  InterfacePtr<IXRefCrossRefTextMarker> marker(made->GetUIDRef());
  EXPECT_EQ(marker->GetMarkerCrossRef(), id);
  EXPECT_EQ(marker->GetPartnerMarker(), end->GetUIDRef().GetUID());
  // A partner must be of the other kind.
  EXPECT_EQ(model_->Set(made, kXRefPartnerMarkerProperty, Object(made)), kScriptBadValueError);
  // Only start markers are made by scripts.
  Create(Story(1), kXRefEndMarkerScriptClass, {{kTextObjectProperty, Object(Text(Story(1), 4, 1))}},
         kScriptMethodNotHandledError);
}

TEST_F(ScriptProviders, SourceMarkersAreRenamedAndRemovedAsTheUserWould) {
  ScriptObject marker = Nth(Document(), kXRefSourceMarkerScriptClass, 0);
  EXPECT_EQ(SetString(marker, kNameProperty, "Renamed"), kSuccess);
  EXPECT_EQ(NameOf(db_, marker_), "Renamed");
  EXPECT_EQ(SetString(marker, kNameProperty, ""), kScriptBadValueError);
  InterfacePtr<ITextModel> text(db_, story_, IID_ITEXTMODEL);
  const int32 before = text->TotalLength();
  ScriptData none;
  ASSERT_EQ(model_->Call({marker, kDeleteMethod, kXRefSourceMarkerScriptClass, {}}, &none), kSuccess);
  EXPECT_EQ(text->TotalLength(), before - 1);
  EXPECT_EQ(MarkerList(db_)->GetMarkerCount(), 0);
  EXPECT_EQ(model_->Get(marker, kNameProperty, &none), kScriptObjectGoneError);
}

TEST_F(ScriptProviders, ConvertingToTextKeepsTheComposedText) {
  CrossRefAt(story_, 17);
  ScriptObject crossRef = Nth(Document(), kXRefCrossRefScriptClass, 0);
  ScriptData none;
  ASSERT_EQ(model_->Call({crossRef, kXRefConvertToTextMethod, kXRefCrossRefScriptClass, {}}, &none), kSuccess);
  EXPECT_EQ(CrossRefList(db_)->GetCrossRefCount(), 0);
  EXPECT_EQ(model_->Count(Story(0), kXRefStartMarkerScriptClass), 0);
  EXPECT_NE(GetString(Story(0), kContentsProperty).find("See Heading one"), std::string::npos);
}

TEST_F(ScriptProviders, TextContentsAreReplacedAsTyping) {
  ScriptObject word = Text(Story(1), 0, 6);
  EXPECT_EQ(GetString(word, kContentsProperty), "Second");
  EXPECT_EQ(SetString(word, kContentsProperty, "Third"), kSuccess);
  EXPECT_EQ(GetString(Story(1), kContentsProperty), "Third story.");
  ASSERT_TRUE(db_->Undo());
  EXPECT_EQ(GetString(Story(1), kContentsProperty), "Second story.");
  // A story's own contents are read-only; its text object's are not.
  EXPECT_EQ(SetString(Story(1), kContentsProperty, "x"), kScriptReadOnlyPropertyError);
}

TEST(ScriptSourceFile, SettingItRepointsToTheSameMarkerInTheNewDocument) {
  TempDir dir;
  TestApp app;
  std::string error;
  const char* texts[] = {"First version", "Second version"};
  std::string paths[2];
  for (int i = 0; i < 2; ++i) {
    DataBase* source = app->NewDocument();
    const UID story = MakeStory(source, texts[i]);
    InsertMarker(source, story, 0, "Shared");
    paths[i] = dir.File("source" + std::to_string(i) + ".xrefdoc");
    ASSERT_TRUE(app->SaveDocumentAs(source, paths[i], &error)) << error;
  }
  DataBase* db = app->NewDocument();
  const UID story = MakeStory(db, "See .");
  CrossRefRequest r;
  r.start = 4;
  r.marker = "Shared";
  r.source = IDFile(paths[0]);
  const UID id = InsertCrossRef(db, story, r);
  ASSERT_EQ(CurrentText(db, id), "First version");
  ScriptModel model;
  ScriptObject doc, crossRef;
  for (int32 n = 0; n < model.Count(model.Application(), kDocumentScriptClass); ++n) {
    ScriptObject candidate;
    ASSERT_EQ(model.Nth(model.Application(), kDocumentScriptClass, n, &candidate), kSuccess);
    if (candidate->GetDataBase() == db) doc = candidate;
  }
  ASSERT_TRUE(doc);
  ASSERT_EQ(model.Nth(doc, kXRefCrossRefScriptClass, 0, &crossRef), kSuccess);
  ScriptData file;
  file.SetString(PMString(paths[1].c_str()));
  ASSERT_EQ(model.Set(crossRef, kXRefSourceFileProperty, file), kSuccess);
  InterfacePtr<IXRefCrossRef> model1 = CrossRef(db, id);
  EXPECT_EQ(model1->GetSourceMarkerName().GetUTF8String(), "Shared");
  EXPECT_EQ(model1->GetSourceDocument().GetPath(), paths[1]);
  EXPECT_EQ(CurrentText(db, id), "Second version");
  ScriptData read;
  ASSERT_EQ(model.Get(crossRef, kXRefSourceFileProperty, &read), kSuccess);
  PMString path;
  ASSERT_TRUE(read.GetString(&path));
  EXPECT_EQ(path.GetUTF8String(), paths[1]);
}
}  // namespace
