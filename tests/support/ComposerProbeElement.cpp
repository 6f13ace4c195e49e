#include "tests/support/ComposerProbeElement.h"
#include "format/IXRefParsingUtils.h"
#include "format/IXRefTextLoc.h"
#include "format/XRefElement.h"
#include "headless/objects/Host.h"
#include "host/IK2ServiceRegistry.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"
#include "host/TextAttr.h"
#include "host/UtilsBoss.h"
#include <boost/make_shared.hpp>

namespace {
constexpr ImplementationID kTestProbeElementImpl{0x7520};

const XRefAttributeDecl kProbeAttributes[] = {
    {"text", kXRefCDATA, nullptr},
    {"size", kXRefCDATA, nullptr},
    {"source", kXRefBool, "no"},
    {"result", kXRefCDATA, nullptr},
};

class ProbeElement : public XRefElement {
public:
  explicit ProbeElement(IPMUnknown* boss) : XRefElement(boss, "probe", kAny, kProbeAttributes) {}

  ErrorCode Compose(std::vector<ComposedRun>& runs, ISAXAttributes* attributes, IXRefComposerState* state,
                    IXRefTextLoc* source, IXRefTextLoc* destination) override {
    InterfacePtr<IXRefParsingUtils> utils(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    if (!utils || !attributes || !state || !source || !destination) return kXRefMissingInputError;
    boost::shared_ptr<AttributeBossList> list;
    const int32 size = utils->GetIntAttribute(attributes, PMString("size"), 0);
    if (size > 0) {
      list = boost::make_shared<AttributeBossList>();
      list->ApplyAttribute(TextAttr::PointSize(size));
    }
    const std::u16string text = utils->GetStringAttribute(attributes, PMString("text"), PMString()).Units();
    for (size_t from = 0; from < text.size();) {
      size_t to = text.find(u'|', from);
      if (to == std::u16string::npos) to = text.size();
      runs.push_back({WideString(text.substr(from, to - from)), list});
      from = to + 1;
    }
    if (utils->GetBoolAttribute(attributes, PMString("source"), false)) {
      InterfacePtr<ITextModel> model(source->QueryTextModel());
      if (model) runs.push_back({model->CopyText(source->GetIndex(), 1), list});
    }
    return ErrorCode{utils->GetIntAttribute(attributes, PMString("result"), 0)};
  }
};
}  // namespace

void RegisterProbeElement() {
  Host::Get().Impls().InstallHost<ProbeElement>(kTestProbeElementImpl);
  Host::Get().Classes().Define(
      {kTestProbeElementBoss, kInvalidClass,
       {{IID_IK2SERVICEPROVIDER, kXRefElementServiceProviderImpl}, {IID_IXREFELEMENT, kTestProbeElementImpl}}});
  ServiceRegistry::Rescan();
}

void WithdrawProbeElement() {
  Host::Get().Classes().Define({kTestProbeElementBoss, kInvalidClass, {}});
  ServiceRegistry::Rescan();
}
