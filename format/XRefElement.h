#pragma once
// Base of the building blocks: an element described by its name, its content
// model and its own attributes, from which its DTD fragment follows.
#include "format/IXRefElement.h"
#include "host/CPMUnknown.h"
#include <cstddef>

// One attribute declaration; a null default makes the attribute #IMPLIED.
struct XRefAttributeDecl {
  const char* name;
  const char* type;
  const char* defaultValue;
};

// The attribute types of the language.
extern const char kXRefCDATA[];
extern const char kXRefBool[];  // (true | false | yes | no)

class XRefElement : public CPMUnknown<IXRefElement> {
public:
  enum Content { kEmpty, kAny };

  XRefElement(IPMUnknown* boss, const char* name, Content content) : XRefElement(boss, name, content, nullptr, 0) {}
  template <size_t N>
  XRefElement(IPMUnknown* boss, const char* name, Content content, const XRefAttributeDecl (&attributes)[N])
      : XRefElement(boss, name, content, attributes, N) {}

  PMString GetName() const override;
  // The ELEMENT declaration, then the ATTLIST with the attributes common to
  // every element (cstyle, format, lang) before the element's own.
  PMString GetDTD() const override;
  // Output comes with the building blocks themselves; until then an element
  // reports that it lacks what it needs to produce any.
  ErrorCode AddPreview(std::vector<ComposedRun>& runs, ISAXAttributes* attributes) override;
  ErrorCode Compose(std::vector<ComposedRun>& runs, ISAXAttributes* attributes, IXRefComposerState* state,
                    IXRefTextLoc* source, IXRefTextLoc* destination) override;

private:
  XRefElement(IPMUnknown* boss, const char* name, Content content, const XRefAttributeDecl* attributes,
              size_t count);
  const char* name_;
  Content content_;
  const XRefAttributeDecl* attributes_;
  size_t count_;
};
