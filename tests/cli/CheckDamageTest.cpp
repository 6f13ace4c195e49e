// `xref check` tells a writer whose document was damaged, naming the object,
// and places each marker character left without its marker; a sound
// document gives neither finding.
#include "model/XRefModelID.h"
#include "tests/support/ForgedFile.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TestApp.h"
#include <nlohmann/json.hpp>

namespace {
std::string Quote(const std::string& s) { return "'" + s + "'"; }

nlohmann::json Findings(const std::string& doc, int* exitCode) {
  ProgramRun run = RunXref("check " + Quote(doc) + " --json", false);
  *exitCode = run.exitCode;
  return nlohmann::json::parse(run.out)["documents"][0]["findings"];
}

std::vector<nlohmann::json> OfKind(const nlohmann::json& findings, const std::string& kind) {
  std::vector<nlohmann::json> found;
  for (const auto& f : findings)
    if (f["kind"] == kind) found.push_back(f);
  return found;
}

class CheckDamage : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(0, RunXref("sample --output " + Quote(dir_.File("s"))).exitCode);
    sample_ = dir_.File("s/sample.xrefdoc");
  }
  TempDir dir_;
  std::string sample_;
};
}  // namespace

TEST_F(CheckDamage, ASoundDocumentHasNeitherDamageNorOrphans) {
  int exitCode = -1;
  const nlohmann::json findings = Findings(sample_, &exitCode);
  EXPECT_TRUE(OfKind(findings, "damaged").empty()) << findings.dump(2);
  EXPECT_TRUE(OfKind(findings, "orphan").empty()) << findings.dump(2);
}

// Deleting only a cross-reference's end marker leaves it dangling; opened
// again, it is taken out and its start marker's character stays bare.
TEST_F(CheckDamage, AMarkerCharacterLeftBareIsAnOrphanWithItsPlace) {
  const auto list = nlohmann::json::parse(RunXref("list " + Quote(sample_) + " --json", false).out);
  const auto& first = list["crossReferences"][0];
  const int32 story = first["story"], start = first["index"];
  const int32 end = start + 1 + static_cast<int32>(WideString::FromUTF8(first["text"].get<std::string>()).Length());
  const std::string edited = dir_.File("edited.xrefdoc");
  ASSERT_EQ(0, RunXref("edit " + Quote(sample_) + " --delete " + std::to_string(story) + ":" + std::to_string(end) +
                       ":1 --output " + Quote(edited))
                   .exitCode);
  int exitCode = -1;
  const nlohmann::json findings = Findings(edited, &exitCode);
  EXPECT_EQ(1, exitCode);
  const auto orphans = OfKind(findings, "orphan");
  ASSERT_EQ(1u, orphans.size()) << findings.dump(2);
  EXPECT_EQ(story, orphans[0]["story"]);
  EXPECT_EQ(start, orphans[0]["index"]);
  EXPECT_TRUE(OfKind(findings, "damaged").empty()) << findings.dump(2);
  // Deleting the orphan where the check placed it makes the document sound.
  ASSERT_EQ(0, RunXref("edit " + Quote(edited) + " --delete " + std::to_string(story) + ":" + std::to_string(start) +
                       ":1 --in-place")
                   .exitCode);
  EXPECT_TRUE(OfKind(Findings(edited, &exitCode), "orphan").empty());
}

TEST_F(CheckDamage, AMarkerMissingFromItsListIsDamageNamingIt) {
  ForgedFile f = ForgedFile::From(FileBytes(sample_));
  const int list = f.Impl(kRootUID, kXRefSourceMarkerListImpl);
  ASSERT_GE(list, 0);
  const uint32_t dropped = f.Get(list, 17);  // the first entry, after the count
  f.Set(list, 13, f.Get(list, 13) - 1);
  f.SetBody(list, f.Body(list).substr(0, 4) + f.Body(list).substr(8));
  const std::string forged = dir_.File("forged.xrefdoc");
  std::ofstream(forged, std::ios::binary) << f.Bytes();
  int exitCode = -1;
  const nlohmann::json findings = Findings(forged, &exitCode);
  EXPECT_EQ(1, exitCode);
  const auto damaged = OfKind(findings, "damaged");
  ASSERT_EQ(1u, damaged.size()) << findings.dump(2);
  EXPECT_EQ(dropped, damaged[0]["object"].get<uint32_t>());
  EXPECT_NE(std::string::npos, damaged[0]["message"].get<std::string>().find("missing from the source marker list"));
  ProgramRun text = RunXref("check " + Quote(forged), false);
  EXPECT_NE(std::string::npos, text.out.find("damaged: object " + std::to_string(dropped))) << text.out;
}
