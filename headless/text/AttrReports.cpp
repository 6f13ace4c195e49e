#include "headless/text/AttrReports.h"
#include "headless/objects/Host.h"
#include "host/IAttrReport.h"
#include "host/InterfacePtr.h"
#include <map>

namespace {
AttrAnswers Ask(ClassID cls) {
  AttrAnswers answers;
  std::vector<std::pair<PMIID, ImplementationID>> impls;
  if (!Host::Get().Classes().Resolve(cls, &impls)) return answers;
  bool reports = false;
  for (auto& entry : impls) reports = reports || entry.first == IID_IATTRREPORT;
  if (!reports) return answers;
  InterfacePtr<IAttrReport> report(static_cast<IAttrReport*>(Host::Get().CreateObject(cls, IID_IATTRREPORT)));
  if (!report) return answers;
  answers.carriedWhenTyping = report->CarriedWhenTyping();
  answers.copiedWithText = report->CopiedWithText();
  answers.allowedInStyles = report->AllowedInStyles();
  answers.listedWithResolved = report->ListedWithResolvedAttributes();
  answers.drawKind = report->GetDrawKind();
  return answers;
}
}  // namespace

const AttrAnswers& AttrAnswersOf(ClassID cls) {
  static std::map<ClassID, AttrAnswers> cache;
  static uint64_t madeAt = ~0ull;
  const uint64_t generation = Host::Get().Classes().Generation();
  if (madeAt != generation) {
    cache.clear();
    madeAt = generation;
  }
  auto it = cache.find(cls);
  if (it == cache.end()) it = cache.emplace(cls, Ask(cls)).first;
  return it->second;
}
