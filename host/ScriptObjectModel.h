#pragma once
// The part of the host's scripting object model the plug-in reads: elements
// of a story addressed by index, and their properties.
#include "IPMUnknown.h"
#include "LayoutIDs.h"
#include "PMString.h"
#include <memory>

typedef uint32 ScriptID;
constexpr ScriptID MakeScriptID(char a, char b, char c, char d) {
  return (static_cast<uint32>(static_cast<unsigned char>(a)) << 24) |
         (static_cast<uint32>(static_cast<unsigned char>(b)) << 16) |
         (static_cast<uint32>(static_cast<unsigned char>(c)) << 8) | static_cast<uint32>(static_cast<unsigned char>(d));
}
constexpr ScriptID kFormIndex = MakeScriptID('i', 'n', 'd', 'x');
constexpr ScriptID kParagraphElement = MakeScriptID('c', 'p', 'g', 'f');
constexpr ScriptID kNumberingResultTextProperty = 0x1A4F4;
constexpr ScriptID kNumberingResultValueProperty = 0x1A4F4 + 1;

class CScript;

// A value read from or written to a script object.
class ScriptData {
public:
  enum Type { kEmpty, kInt, kString, kBool, kReal, kObject };
  ScriptData() = default;
  void SetInt(int32 v) { type_ = kInt; int_ = v; }
  void SetString(const PMString& s) { type_ = kString; string_ = s; }
  void SetBool(bool16 b) { type_ = kBool; int_ = b ? 1 : 0; }
  void SetReal(double d) { type_ = kReal; real_ = d; }
  Type GetType() const { return type_; }
  bool GetInt(int32* v) const { if (type_ != kInt) return false; *v = int_; return true; }
  bool GetString(PMString* s) const { if (type_ != kString) return false; *s = string_; return true; }
  bool GetBool(bool16* b) const { if (type_ != kBool) return false; *b = int_ != 0; return true; }
  bool GetReal(double* d) const { if (type_ != kReal) return false; *d = real_; return true; }
  // A script object (CScript.h); null holds none.
  void SetObject(std::shared_ptr<const CScript> object) { type_ = kObject; object_ = std::move(object); }
  const std::shared_ptr<const CScript>& GetObject() const { return object_; }

private:
  Type type_ = kEmpty;
  int32 int_ = 0;
  double real_ = 0;
  PMString string_;
  std::shared_ptr<const CScript> object_;
};

// On a story: reads a property of one of its elements. For paragraphs the
// index is a text index, and the paragraph holding it answers.
class IScriptObjectModel : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ISCRIPTOBJECTMODEL;
  virtual ErrorCode GetElementProperty(ScriptID element, ScriptID form, int32 index, ScriptID property,
                                       ScriptData* out) = 0;
};
