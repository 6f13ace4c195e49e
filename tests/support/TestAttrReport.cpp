#include "tests/support/TestAttrReport.h"
#include "headless/objects/Host.h"
#include "host/CPMUnknown.h"
#include "host/IAttrReport.h"
#include "host/TextIDs.h"

namespace {
constexpr ImplementationID kTestAttrReportImpl{0x7C32};
constexpr ImplementationID kTestUncopiedAttrReportImpl{0x143F0};

class TestAttrReport : public CPMUnknown<IAttrReport> {
public:
  using CPMUnknown::CPMUnknown;
  int32 CarriedWhenTyping() const override { return 0; }
  int32 CopiedWithText() const override { return 1; }
  int32 AllowedInStyles() const override { return 0; }
  int32 ListedWithResolvedAttributes() const override { return 0; }
  int32 GetDrawKind() const override { return 2; }
  void AdornRun(IWaxRun*) override {}
  void AppendDescription(PMString* text) const override { text->Append(PMString("Test Attribute")); }
};

class TestUncopiedAttrReport : public TestAttrReport {
public:
  using TestAttrReport::TestAttrReport;
  int32 CopiedWithText() const override { return 0; }
};
}  // namespace

void RegisterTestAttrReport() {
  Host::Get().Impls().InstallHost<TestAttrReport>(kTestAttrReportImpl);
  Host::Get().Classes().Define(
      {kTestReportedAttrBoss, kInvalidClass, {{IID_ITEXTATTRUID, kTextAttrUIDImpl}, {IID_IATTRREPORT, kTestAttrReportImpl}}});
  Host::Get().Impls().InstallHost<TestUncopiedAttrReport>(kTestUncopiedAttrReportImpl);
  Host::Get().Classes().Define({kTestUncopiedAttrBoss,
                                kInvalidClass,
                                {{IID_ITEXTATTRUID, kTextAttrUIDImpl}, {IID_IATTRREPORT, kTestUncopiedAttrReportImpl}}});
}
