#include "headless/text/ClipboardResponder.h"
#include "headless/text/TextClipboard.h"
#include "host/InterfacePtr.h"

void ClipboardResponder::Respond(ISignalMgr* signal) {
  InterfacePtr<IDocumentSignalData> data(signal, IID_IDOCUMENTSIGNALDATA);
  if (data) TextClipboard::ForgetDocument(data->GetDocument().GetDataBase());
}
