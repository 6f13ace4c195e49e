#pragma once
// The single entry to the format language: metacharacters, parsing,
// attribute reading and the lookup of its components. On the host's
// utilities object (UtilsBoss::QueryUtils).
#include "format/XRefFormatID.h"
#include "host/IPMUnknown.h"
#include "host/PMString.h"

class ISAXAttributes;
class ISAXParser;
class IXRefComposer;
class IXRefElement;
class IXRefPreviewer;
class IXRefValidator;

class IXRefParsingUtils : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IXREFPARSINGUTILS;

  // A new parser, or null. Configured, it validates against the internal DTD.
  virtual ISAXParser* CreateSAXParser(bool16 configure) = 0;
  // Query* functions answer a reference the caller releases, or null.
  virtual IXRefElement* QueryElement(const PMString& name) = 0;
  virtual IXRefValidator* QueryValidator() = 0;
  virtual IXRefPreviewer* QueryPreviewer() = 0;
  virtual IXRefComposer* QueryComposer() = 0;

  virtual bool16 HasAttribute(ISAXAttributes* attributes, const PMString& name) = 0;
  virtual PMString GetStringAttribute(ISAXAttributes* attributes, const PMString& name,
                                      const PMString& defaultValue) = 0;
  virtual bool16 GetBoolAttribute(ISAXAttributes* attributes, const PMString& name, bool16 defaultValue) = 0;
  virtual int32 GetIntAttribute(ISAXAttributes* attributes, const PMString& name, int32 defaultValue) = 0;

  // Resolves "^" escapes and typographic quotes in place. False on success;
  // true on an unknown escape, leaving the text as it was and storing the
  // index of the character after the caret.
  virtual bool16 ConvertMetacharacters(PMString& text, int32* errorPosition = nullptr) = 0;
  // Parses a converted format against the assembled DTD, sending events to
  // the handler object's ISAXContentHandler. 0 on success, the parse's error
  // code (cleared globally unless keepError), or 1 when something needed is
  // missing.
  virtual ErrorCode ParseFormat(const PMString& format, IPMUnknown* handlerObject, bool16 keepError) = 0;
};
