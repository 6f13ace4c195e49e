#pragma once
// The objects a script sees. A script object names its type (a script
// class code), the object of a document it stands for, and its parent.
// CProxyScript stands for something with no object of its own, named under
// its parent (a format in a list); CTextScript for a range of a story.
// Script objects are values: they never own what they stand for, and a
// script may hold one after its object is gone, so every use checks again.
#include "PMString.h"
#include "ScriptObjectModel.h"
#include "UIDRef.h"
#include <memory>

class CScript;
using ScriptObject = std::shared_ptr<const CScript>;

class CScript {
public:
  CScript(ScriptID type, const UIDRef& object, ScriptObject parent)
      : type_(type), object_(object), parent_(std::move(parent)) {}
  virtual ~CScript() = default;
  ScriptID GetObjectType() const { return type_; }
  const UIDRef& GetUIDRef() const { return object_; }
  IDataBase* GetDataBase() const { return object_.GetDataBase(); }
  const ScriptObject& GetParent() const { return parent_; }
  // The nearest ancestor of the type, this object included; null if none.
  const CScript* FindAncestor(ScriptID type) const;
  // Whether both stand for the same thing.
  virtual bool IsSame(const CScript& other) const;

private:
  ScriptID type_;
  UIDRef object_;
  ScriptObject parent_;
};

class CProxyScript : public CScript {
public:
  CProxyScript(ScriptID type, const PMString& name, ScriptObject parent);
  const PMString& GetName() const { return name_; }
  // What it stands for was renamed; the proxy follows.
  void Rename(const PMString& name) const { name_ = name; }
  bool IsSame(const CScript& other) const override;

private:
  mutable PMString name_;
};

// Text of a story ("cins"): its story is the object, its range the rest.
class CTextScript : public CScript {
public:
  CTextScript(const UIDRef& story, TextIndex start, int32 length, ScriptObject parent);
  TextIndex GetStart() const { return start_; }
  int32 GetLength() const { return length_; }
  bool IsSame(const CScript& other) const override;

private:
  TextIndex start_;
  int32 length_;
};
