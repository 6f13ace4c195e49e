#include "model/XRefTextMarkerReports.h"
#include "engine/XRefSchedulerReports.h"
#include "host/CreateObject.h"
#include "host/IControllingUnknown.h"
#include "host/ILineInfo.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "model/IXRefCrossRefTextMarker.h"
#include "model/XRefModelID.h"

IOwnedItemMemento* XRefTextMarkerReports::CreateMemento(const IPMUnknown* marker) {
  InterfacePtr<IOwnedItemMemento> memento(static_cast<IOwnedItemMemento*>(
      CreateObject(kXRefCrossRefTextMarkerMementoBoss, IID_IOWNEDITEMMEMENTO)));
  InterfacePtr<IUIDData> stored(memento.get(), IID_IUIDDATA);
  if (!stored) return nullptr;
  stored->Set(::GetUIDRef(marker));
  return memento.forget();
}

void XRefTextMarkerReports::Adorn(IPMUnknown* line) {
  InterfacePtr<IWaxLine> wax(line, IID_IWAXLINE);
  if (wax && !wax->HasAdornment(kXRefMarkerAdornmentBoss))
    wax->AddAdornment(kXRefMarkerAdornmentBoss, kXRefMarkerAdornmentPriority);
}

void XRefTextMarkerReports::ReportCrossRefChanged(const IPMUnknown* marker) {
  InterfacePtr<IXRefCrossRefTextMarker> data(marker, IID_IXREFCROSSREFTEXTMARKER);
  if (!data || data->GetMarkerCrossRef() == kInvalidUID) return;
  IDataBase* db = ::GetDataBase(marker);
  InterfacePtr<IBoolData> updating(db, data->GetMarkerCrossRef(), IID_IXREFBEINGUPDATED);
  if (!updating || updating->Get()) return;
  XRefSchedulerReports::MarkChanged(db, data->GetMarkerCrossRef());
}
