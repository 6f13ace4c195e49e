#include "host/CScript.h"
#include "host/ScriptIDs.h"

const CScript* CScript::FindAncestor(ScriptID type) const {
  for (const CScript* at = this; at; at = at->GetParent().get())
    if (at->GetObjectType() == type) return at;
  return nullptr;
}

bool CScript::IsSame(const CScript& other) const {
  return type_ == other.type_ && object_ == other.object_;
}

CProxyScript::CProxyScript(ScriptID type, const PMString& name, ScriptObject parent)
    : CScript(type, parent ? parent->GetUIDRef() : UIDRef(), parent), name_(name) {}

bool CProxyScript::IsSame(const CScript& other) const {
  auto* proxy = dynamic_cast<const CProxyScript*>(&other);
  return proxy && CScript::IsSame(other) && name_.IsEqualNoCase(proxy->name_);
}

CTextScript::CTextScript(const UIDRef& story, TextIndex start, int32 length, ScriptObject parent)
    : CScript(kTextScriptClass, story, std::move(parent)), start_(start), length_(length) {}

bool CTextScript::IsSame(const CScript& other) const {
  auto* text = dynamic_cast<const CTextScript*>(&other);
  return text && CScript::IsSame(other) && start_ == text->start_ && length_ == text->length_;
}
