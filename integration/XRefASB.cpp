// The abstract part of the selection suite: every call goes, as a bound
// operation, to the concrete parts that offer the suite for the current
// selection. Queries: the first part (from the last) answering yes decides.
// Actions: the parts from the last to the first in one undo step, stopping
// at the first failure. The lists and the text need exactly one part.
#include "host/CPMUnknown.h"
#include "host/CmdUtils.h"
#include "host/IIntegratorTarget.h"
#include "integration/IXRefSelectionSuite.h"
#include "integration/ImplementationRecord.h"
#include <boost/bind/bind.hpp>
#include <boost/function.hpp>

namespace {
using boost::placeholders::_1;
using Suite = IXRefSelectionSuite;
using Query = boost::function<bool16(Suite*)>;
using Action = boost::function<ErrorCode(Suite*)>;

class XRefASB : public CPMUnknown<IXRefSelectionSuite> {
public:
  using CPMUnknown::CPMUnknown;

  bool16 CanInsertSourceMarker() override { return Ask(boost::bind(&Suite::CanInsertSourceMarker, _1)); }
  ErrorCode InsertSourceMarker(const PMString& name) override {
    return Run(boost::bind(&Suite::InsertSourceMarker, _1, boost::cref(name)));
  }
  bool16 IsSourceMarkerSelected() override { return Ask(boost::bind(&Suite::IsSourceMarkerSelected, _1)); }
  UIDList GetSelectedSourceMarkers() override {
    auto parts = Parts();
    return parts.size() == 1 ? parts[0]->GetSelectedSourceMarkers() : UIDList();
  }
  bool16 CanModifySourceMarker() override { return Ask(boost::bind(&Suite::CanModifySourceMarker, _1)); }
  ErrorCode ModifySourceMarker(const PMString& name, bool16 updateReferences) override {
    return Run(boost::bind(&Suite::ModifySourceMarker, _1, boost::cref(name), updateReferences));
  }
  bool16 CanInsertCrossRef() override { return Ask(boost::bind(&Suite::CanInsertCrossRef, _1)); }
  ErrorCode InsertCrossRef(const IDFile& file, const PMString& marker, const PMString& formatName,
                           const PMString& format, bool16 hyperlink) override {
    return Run(boost::bind(&Suite::InsertCrossRef, _1, boost::cref(file), boost::cref(marker),
                           boost::cref(formatName), boost::cref(format), hyperlink));
  }
  bool16 IsCrossRefSelected() override { return Ask(boost::bind(&Suite::IsCrossRefSelected, _1)); }
  UIDList GetSelectedCrossRefs() override {
    auto parts = Parts();
    return parts.size() == 1 ? parts[0]->GetSelectedCrossRefs() : UIDList();
  }
  bool16 CanModifyCrossRef() override { return Ask(boost::bind(&Suite::CanModifyCrossRef, _1)); }
  ErrorCode ModifyCrossRef(const IDFile& file, const PMString& marker, const PMString& formatName,
                           const PMString& format, bool16 hyperlink) override {
    return Run(boost::bind(&Suite::ModifyCrossRef, _1, boost::cref(file), boost::cref(marker),
                           boost::cref(formatName), boost::cref(format), hyperlink));
  }
  bool16 CanUpdateCrossRefs() override { return Ask(boost::bind(&Suite::CanUpdateCrossRefs, _1)); }
  ErrorCode UpdateCrossRefs() override { return Run(boost::bind(&Suite::UpdateCrossRefs, _1)); }
  bool16 CanConvertCrossRefsToText() override { return Ask(boost::bind(&Suite::CanConvertCrossRefsToText, _1)); }
  ErrorCode ConvertCrossRefsToText() override { return Run(boost::bind(&Suite::ConvertCrossRefsToText, _1)); }
  bool16 CanGetSelectionText() override { return Ask(boost::bind(&Suite::CanGetSelectionText, _1)); }
  PMString GetSelectionText() override {
    auto parts = Parts();
    return parts.size() == 1 ? parts[0]->GetSelectionText() : PMString();
  }
  bool16 HasTextSelection() override { return Ask(boost::bind(&Suite::HasTextSelection, _1)); }
  ErrorCode GetTextSelection(UIDRef* story, int32* index) override {
    return Run(boost::bind(&Suite::GetTextSelection, _1, story, index));
  }
  bool16 CanGoToSource() override { return Ask(boost::bind(&Suite::CanGoToSource, _1)); }
  ErrorCode GoToSource() override { return Run(boost::bind(&Suite::GoToSource, _1)); }
  bool16 CanSelectCrossRef() override { return Ask(boost::bind(&Suite::CanSelectCrossRef, _1)); }
  ErrorCode SelectCrossRef() override { return Run(boost::bind(&Suite::SelectCrossRef, _1)); }
  bool16 CanDeleteSourceMarkers() override { return Ask(boost::bind(&Suite::CanDeleteSourceMarkers, _1)); }
  ErrorCode DeleteSourceMarkers() override { return Run(boost::bind(&Suite::DeleteSourceMarkers, _1)); }
  bool16 CanDeleteCrossRefs() override { return Ask(boost::bind(&Suite::CanDeleteCrossRefs, _1)); }
  ErrorCode DeleteCrossRefs() override { return Run(boost::bind(&Suite::DeleteCrossRefs, _1)); }

private:
  std::vector<InterfacePtr<Suite>> Parts() const {
    InterfacePtr<IIntegratorTarget> integrator(this, IID_IINTEGRATORTARGET);
    if (!integrator) return {};
    return integrator->GetTargetAs<Suite>(IID_IXREFSELECTIONSUITE);
  }

  bool16 Ask(const Query& query) const {
    auto parts = Parts();
    for (auto it = parts.rbegin(); it != parts.rend(); ++it)
      if (query(it->get())) return true;
    return false;
  }

  ErrorCode Run(const Action& action) const {
    auto parts = Parts();
    if (parts.empty()) return kSuccess;
    CmdUtils::SequenceContext sequence;
    ErrorCode result = kSuccess;
    for (auto it = parts.rbegin(); it != parts.rend() && result == kSuccess; ++it) {
      result = action(it->get());
      // A part's failure keeps the more telling code its command left.
      if (result == kSuccess || ErrorUtils::PMGetGlobalErrorCode() == kSuccess)
        ErrorUtils::PMSetGlobalErrorCode(result);
    }
    return result;
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefASB, kXRefASBImpl);
