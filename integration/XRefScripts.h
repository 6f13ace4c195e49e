#pragma once
// The plug-in's script objects: each names its class and stands for the
// object of a document (or, for a format, its name in the document's list).
#include "host/CScript.h"
#include "integration/XRefScriptID.h"

class XRefCrossRefScript : public CScript {
public:
  XRefCrossRefScript(const UIDRef& crossRef, ScriptObject parent)
      : CScript(kXRefCrossRefScriptClass, crossRef, std::move(parent)) {}
};

class XRefCrossRefStartMarkerScript : public CScript {
public:
  XRefCrossRefStartMarkerScript(const UIDRef& marker, ScriptObject parent)
      : CScript(kXRefStartMarkerScriptClass, marker, std::move(parent)) {}
};

class XRefCrossRefEndMarkerScript : public CScript {
public:
  XRefCrossRefEndMarkerScript(const UIDRef& marker, ScriptObject parent)
      : CScript(kXRefEndMarkerScriptClass, marker, std::move(parent)) {}
};

class XRefSourceMarkerScript : public CScript {
public:
  XRefSourceMarkerScript(const UIDRef& marker, ScriptObject parent)
      : CScript(kXRefSourceMarkerScriptClass, marker, std::move(parent)) {}
};

// Named by its format's name; the document is its parent's.
class XRefFormatScript : public CProxyScript {
public:
  XRefFormatScript(const PMString& name, ScriptObject parent)
      : CProxyScript(kXRefFormatScriptClass, name, std::move(parent)) {}
};
