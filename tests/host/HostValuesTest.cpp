#include "headless/objects/ClassRegistry.h"
#include "headless/objects/Host.h"
#include "headless/objects/MemoryStream.h"
#include "host/APath.h"
#include "host/HostIDs.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "host/AttributeBossList.h"
#include "host/PMString.h"
#include "host/UIDList.h"
#include <gtest/gtest.h>

TEST(PMStringTest, ParametersTranslationAndCase) {
  PMString s("^2 of ^1, ^^3 and ^5");
  StringUtils::ReplaceStringParameters(&s, PMString("one"), PMString("two"), PMString("three"));
  // "^^3": the first caret is literal, the second introduces the parameter;
  // "^5" is beyond the four parameters and stays.
  EXPECT_EQ("two of one, ^three and ^5", s.GetUTF8String());

  Host::Get().Strings().Add("kTestGreetingKey", "Hello ^1");
  PMString key("kTestGreetingKey");
  key.Translate();
  EXPECT_TRUE(key.HasTranslated());
  EXPECT_EQ("Hello ^1", key.GetUTF8String());
  // A changed table is what later translations read.
  Host::Get().Strings().Add("kTestGreetingKey", "Hi ^1");
  PMString again("kTestGreetingKey", PMString::kTranslateDuringCall);
  EXPECT_EQ("Hi ^1", again.GetUTF8String());
  ASSERT_TRUE(Host::Get().Strings().Parse("kTestGreetingKey = Hey ^1\n", nullptr));
  EXPECT_EQ("Hey ^1", PMString("kTestGreetingKey", PMString::kTranslateDuringCall).GetUTF8String());
  PMString literal("kTestGreetingKey");
  literal.SetTranslatable(false);
  literal.Translate();
  EXPECT_EQ("kTestGreetingKey", literal.GetUTF8String());

  EXPECT_TRUE(PMString("Stra\xC3\x9F" "e").IsEqualNoCase(PMString("STRA\xC3\x9F" "E")));
  EXPECT_TRUE(PMString("\xC3\x89t\xC3\xA9").IsEqualNoCase(PMString("\xC3\xA9T\xC3\x89")));
  EXPECT_LT(PMString("abc").CompareNoCase(PMString("ABD")), 0);
  EXPECT_GT(PMString("abcd").CompareNoCase(PMString("ABC")), 0);
}

TEST(PMStringTest, Utf16RoundTripsAndRejectsBrokenInput) {
  const std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";  // a é € 😀
  WideString w = WideString::FromUTF8(text);
  EXPECT_EQ(5, w.Length());  // the emoji takes two code units
  EXPECT_EQ(4, w.CharCount());
  EXPECT_EQ(0x1F600u, w.CharAt(3).GetValue());
  EXPECT_EQ(text, w.GetUTF8String());
  // Truncated and invalid sequences become U+FFFD, never a crash.
  EXPECT_EQ("a\xEF\xBF\xBD", WideString::FromUTF8("a\xF0\x9F").GetUTF8String());
  EXPECT_EQ("\xEF\xBF\xBD" "b", WideString::FromUTF8("\xFF" "b").GetUTF8String());
}

TEST(Streams, StringsRoundTripAndHostileLengthsAreRejected) {
  MemoryWriteStream w;
  PMString p("x\xF0\x9F\x98\x80");
  p.SetTranslatable(false);
  p.ReadWrite(&w);
  MemoryReadStream r(w.Data());
  PMString back;
  back.ReadWrite(&r);
  EXPECT_EQ(p, back);
  EXPECT_FALSE(back.GetTranslatable());
  EXPECT_FALSE(r.GetBad());

  // A length far beyond the input is refused before allocating.
  std::string hostile = std::string(1, '\x01') + std::string("\xFF\xFF\xFF\x7F", 4) + "ab";
  MemoryReadStream h(hostile);
  PMString s;
  s.ReadWrite(&h);
  EXPECT_TRUE(h.GetBad());
  EXPECT_TRUE(s.IsEmpty());

  MemoryReadStream empty("", 0);
  int32 v = 7;
  empty.XferInt32(v);
  EXPECT_EQ(0, v);
  EXPECT_TRUE(empty.GetBad());
}

TEST(Streams, ReferencesAreRemappedWhenCopying) {
  MemoryWriteStream w;
  UID owned{5}, ref{6}, outside{7};
  w.XferObject(owned);
  w.XferReference(ref);
  w.XferReference(outside);
  EXPECT_EQ(std::vector<UID>{owned}, w.OwnedObjects());
  std::map<UID, UID> remap{{UID{5}, UID{50}}, {UID{6}, UID{60}}};
  MemoryReadStream r(w.Data());
  r.SetRemap(&remap, true);
  UID a, b, c;
  r.XferObject(a);
  r.XferReference(b);
  r.XferReference(c);
  EXPECT_EQ(UID{50}, a);
  EXPECT_EQ(UID{60}, b);
  EXPECT_EQ(kInvalidUID, c);  // points into a database the copy left behind
}

TEST(ValueTypes, UIDListPathsAndSharedAttributeLists) {
  UIDList list(nullptr);
  list.Append(UID{3});
  list.Append(UID{9});
  EXPECT_EQ(1, list.Location(UID{9}));
  EXPECT_EQ(-1, list.Location(UID{4}));
  EXPECT_EQ(kInvalidUID, list.At(5));
  list.Remove(0);
  EXPECT_EQ(UID{9}, list.At(0));

  APath doc("/work/books/ch1/intro.xrefdoc");
  APath other("/work/books/ch2/part.xrefdoc");
  APath rel = other.RelativeTo(doc);
  EXPECT_FALSE(rel.IsAbsolute());
  EXPECT_EQ("../ch2/part.xrefdoc", rel.GetString());
  EXPECT_EQ(other.GetString(), rel.ResolvedAgainst(doc).GetString());

  AttributeBossList a;
  a.ApplyAttribute({ClassID{1}, 10, 0, PMString()});
  AttributeBossList b = a;
  EXPECT_TRUE(b.SharesStorageWith(a));
  b.ApplyAttribute({ClassID{1}, 12, 0, PMString()});
  EXPECT_FALSE(b.SharesStorageWith(a));
  EXPECT_EQ(10, a.Find(ClassID{1})->intValue);
  EXPECT_EQ(12, b.Find(ClassID{1})->intValue);
  EXPECT_EQ(1, b.CountBosses());
  // An empty list holds no storage until written, and compares by contents.
  AttributeBossList empty, none;
  EXPECT_EQ(nullptr, empty.Find(ClassID{1}));
  EXPECT_TRUE(empty == none);
  EXPECT_FALSE(empty == a);
  empty.ApplyAttributes(a);
  EXPECT_TRUE(empty == a);
  EXPECT_FALSE(empty == b);
  empty.ClearAttribute(ClassID{2});
  empty.ClearAttribute(ClassID{1});
  EXPECT_TRUE(empty == none);
  EXPECT_EQ(10, a.Find(ClassID{1})->intValue);
}

TEST(ClassRegistryTest, InheritanceAddInsAndParseErrors) {
  ClassRegistry reg;
  std::string error;
  ASSERT_TRUE(reg.ParseDefinitions("# comment\n"
                                   "class 0x10 : 1=0x100 2=0x200\n"
                                   "class 0x11 parent 0x10 : 2=0x201 3=0x300\n"
                                   "addin 0x10 : 4=0x400\n",
                                   &error))
      << error;
  std::vector<std::pair<PMIID, ImplementationID>> impls;
  ASSERT_TRUE(reg.Resolve(ClassID{0x11}, &impls));
  ASSERT_EQ(4u, impls.size());
  EXPECT_EQ(ImplementationID{0x201}, impls[1].second);  // overridden by the child
  EXPECT_EQ(PMIID{4}, impls[2].first);                 // the add-in reaches the child
  EXPECT_TRUE(reg.IsA(ClassID{0x11}, ClassID{0x10}));

  reg.Define({ClassID{0x20}, ClassID{0x21}, {}});
  reg.Define({ClassID{0x21}, ClassID{0x20}, {}});
  EXPECT_FALSE(reg.Resolve(ClassID{0x20}, &impls));  // a parent loop is refused
  EXPECT_FALSE(reg.Resolve(ClassID{0x99}, &impls));

  EXPECT_FALSE(reg.ParseDefinitions("class 0x30 : 1=oops\n", &error));
  EXPECT_NE(std::string::npos, error.find("line 1")) << error;
  EXPECT_FALSE(reg.ParseDefinitions("klass 0x30 : 1=2\n", &error));
}

TEST(HostObjects, AClassChangedAfterUseMakesObjectsOfItsNewDefinition) {
  ClassRegistry& classes = Host::Get().Classes();
  const ClassID cls{0x7FF01};
  classes.Define({cls, kInvalidClass, {{IID_IBOOLDATA, kBoolDataImpl}, {IID_ISTRINGDATA, kStringDataImpl}}});
  InterfacePtr<IBoolData> flag(static_cast<IBoolData*>(CreateObject(cls, IID_IBOOLDATA)));
  ASSERT_TRUE(flag);
  EXPECT_FALSE(InterfacePtr<IIntData>(flag.get(), IID_IINTDATA));
  classes.AddIn(cls, {{IID_IINTDATA, kIntDataImpl}});
  InterfacePtr<IIntData> number(static_cast<IIntData*>(CreateObject(cls, IID_IINTDATA)));
  ASSERT_TRUE(number);
  // Each implementation keeps its own state beside the others.
  InterfacePtr<IStringData> text(number.get(), IID_ISTRINGDATA);
  InterfacePtr<IBoolData> other(number.get(), IID_IBOOLDATA);
  ASSERT_TRUE(text && other);
  number->Set(42);
  text->Set(PMString("forty-two"));
  other->Set(true);
  EXPECT_EQ(42, number->Get());
  EXPECT_EQ("forty-two", text->Get().GetUTF8String());
  EXPECT_TRUE(other->Get());
}
