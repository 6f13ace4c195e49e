// Converts one format of this system's mark-up into the host's Basic
// formats, one per language its "lang" sections name, logging what Basic
// formats cannot express. The command's own content handler does the work
// while the parser reads the format; a parse that fails leaves no error.
#include "commands/IXRefConvertFormatCmdData.h"
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "commands/XRefConvertFormatDocument.h"
#include "format/IXRefParsingUtils.h"
#include "host/CmdUtils.h"
#include "host/Command.h"
#include "host/IPMStream.h"
#include "host/ISAXContentHandler.h"
#include "host/ISAXParser.h"
#include "host/ISAXParserOptions.h"
#include "host/InterfacePtr.h"
#include "host/UtilsBoss.h"
#include "integration/ImplementationRecord.h"

namespace {
class XRefConvertFormatCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    UIDRef document;
    if (!XRefCommandUtils::SingleItem(this, &document)) return;
    InterfacePtr<IXRefConvertFormatCmdData> data(this, IID_IXREFCONVERTFORMATCMDDATA);
    InterfacePtr<IXRefParsingUtils> utils(UtilsBoss::QueryUtils<IXRefParsingUtils>());
    InterfacePtr<ISAXContentHandler> handler(this, IID_ISAXCONTENTHANDLER);
    if (!data || !utils || !handler) return;
    PMString format = data->GetFormatString();
    // An unknown escape stays as written; the parse decides what that means.
    utils->ConvertMetacharacters(format);
    const PMString input = ConvertFormatDocument(format);
    const std::u16string& units = input.Units();
    if (units.size() > static_cast<size_t>(INT32_MAX / 2)) return;

    InterfacePtr<ISAXParser> parser(utils->CreateSAXParser(false));
    InterfacePtr<ISAXParserOptions> options(parser.get(), IID_ISAXPARSEROPTIONS);
    InterfacePtr<IPMStream> stream(
        StreamUtil::CreatePointerStreamRead(units.data(), static_cast<int32>(units.size() * sizeof(char16_t))));
    if (!parser || !options || !stream) return;
    // Not checked against the declaration, whose attribute defaults still apply.
    options->SetNamespacesFeature(false);
    options->SetValidationFeature(false);
    options->SetSchemaValidationFeature(false);
    if (parser->Parse(stream.get(), handler.get()) != kSuccess) ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefConvertFormatCmd, kXRefConvertFormatCmdImpl);
