// The filename building block: the file name (or full path) of the source document.
#include "format/IXRefParsingUtils.h"
#include "format/IXRefTextLoc.h"
#include "format/XRefElement.h"
#include "format/XRefSamples.h"
#include "host/IDocument.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"
#include "integration/ImplementationRecord.h"

namespace {
const XRefAttributeDecl kAttributes[] = {
    {"fullpath", kXRefBool, "false"},
    {"extension", kXRefBool, "true"},
};

// The characters after the file name's last dot; none for a name without a
// dot or one whose only dot leads it (a hidden file's name is all name).
int32 ExtensionLength(const PMString& fileName) {
  for (int32 i = fileName.CharCount() - 1; i > 0; --i)
    if (fileName[i] == u'.') return fileName.CharCount() - 1 - i;
  return 0;
}

class XRefFilenameElement : public XRefElement {
public:
  explicit XRefFilenameElement(IPMUnknown* boss) : XRefElement(boss, "filename", kEmpty, kAttributes) {}
  ErrorCode AddPreview(std::vector<ComposedRun>& runs, ISAXAttributes* attributes) override {
    // Only fullpath matters for the sample; the extension is always shown.
    InterfacePtr<IXRefParsingUtils> utils(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    bool16 fullPath = utils && utils->GetBoolAttribute(attributes, PMString("fullpath"), false);
    XRefAppendRun(runs, fullPath ? "C:\\Documents\\Tessary\\sample.xrefdoc" : "sample.xrefdoc");
    return kSuccess;
  }

  ErrorCode Compose(std::vector<ComposedRun>& runs, ISAXAttributes* attributes, IXRefComposerState*,
                    IXRefTextLoc* source, IXRefTextLoc*) override {
    if (!attributes || !source) return kXRefMissingInputError;
    InterfacePtr<IXRefParsingUtils> utils(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    InterfacePtr<IDocument> document(source->GetDocumentRef(), IID_IDOCUMENT);
    if (!utils || !document) return kXRefMissingInputError;

    PMString text;
    const IDFile file = document->GetFile();
    if (file.IsEmpty()) {
      // Never saved: the name the host gives it is all there is.
      document->GetName(&text);
    } else {
      const PMString fileName = file.GetFileName();
      text = utils->GetBoolAttribute(attributes, PMString("fullpath"), false) ? file.GetPathString() : fileName;
      const int32 extension = ExtensionLength(fileName);
      if (extension > 0 && !utils->GetBoolAttribute(attributes, PMString("extension"), true))
        text.Remove(text.CharCount() - extension - 1, extension + 1);
    }
    XRefAppendRun(runs, text.GetWideString());
    return kSuccess;
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefFilenameElement, kXRefFilenameElementImpl);
