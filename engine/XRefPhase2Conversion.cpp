// After a document's records are converted: documents of data version 1.0
// kept no source-marker list, so it is rebuilt from the source markers
// anchored in the stories, in story order and within a story in text order.
#include "engine/XRefEngineID.h"
#include "host/IConversionProvider.h"
#include "host/IOwnedItemStrand.h"
#include "host/IStoryList.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"
#include "integration/ImplementationRecord.h"
#include "model/IXRefSourceMarkerList.h"
#include "model/XRefModelID.h"

namespace {
constexpr PluginID kXRefPluginID{0xF2C00};

class XRefPhase2Conversion : public CResponder {
public:
  using CResponder::CResponder;

  void Respond(ISignalMgr* signal) override {
    InterfacePtr<IConversionSignalData> data(signal, IID_ICONVERSIONSIGNALDATA);
    VersionID from;
    if (!data || !data->WasConverted(kXRefPluginID, &from) || from.Value() != 100) return;
    const UIDRef doc = data->GetDocument();
    IDataBase* db = doc.GetDataBase();
    InterfacePtr<IXRefSourceMarkerList> markers(doc, IID_IXREFSOURCEMARKERLIST);
    InterfacePtr<IStoryList> stories(doc, IID_ISTORYLIST);
    if (!db || !markers || !stories) return;
    for (int32 i = 0; i < stories->GetStoryCount(); ++i) {
      InterfacePtr<ITextModel> text(db, stories->GetNthStoryUID(i), IID_ITEXTMODEL);
      if (!text) continue;
      InterfacePtr<IOwnedItemStrand> owned(
          static_cast<IOwnedItemStrand*>(text->QueryStrand(kOwnedItemStrandBoss, IID_IOWNEDITEMSTRAND)));
      if (!owned) continue;
      for (const OwnedItemInfo& item : owned->GetOwnedItems(0, text->TotalLength()))
        if (item.cls == kXRefSourceMarkerBoss) markers->AddMarker(item.uid, -1);
    }
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefPhase2Conversion, kXRefPhase2ConversionImpl);
