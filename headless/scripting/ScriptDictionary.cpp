#include "headless/scripting/ScriptDictionary.h"
#include <cstring>

namespace {
struct Entry {
  const char* name;
  ScriptID code;
};

constexpr ScriptID C(const char (&s)[5]) { return MakeScriptID(s[0], s[1], s[2], s[3]); }

const Entry kProperties[] = {
    {"parent", C("pare")},
    {"index", C("pidx")},
    {"name", C("pnam")},
    {"contents", C("pcnt")},
    {"text", C("hsTx")},
    {"fullName", C("fpth")},
    {"length", C("lngt")},
    {"formatName", C("xrfn")},
    {"formatDefinition", C("xrfd")},
    {"sourceMarkerName", C("xrsn")},
    {"sourceFile", C("xrsf")},
    {"sourceState", C("xrss")},
    {"compositionState", C("xrcs")},
    {"compositionFailed", C("xrii")},
    {"sourceBroken", C("xriu")},
    {"location", C("xrln")},
    {"startMarker", C("xrms")},
    {"endMarker", C("xrme")},
    {"crossReference", C("xrob")},
    {"partnerMarker", C("xrmo")},
    {"crossReferencePreferences", C("xrpf")},
    {"liveUpdates", C("xrlu")},
};

const Entry kMethods[] = {
    {"update", C("xrud")},
    {"convertToText", C("xrct")},
    {"remove", C("delo")},
    {"add", C("crel")},
    {"count", C("cnte")},
};

const Entry kCollections[] = {
    {"documents", C("docu")},
    {"stories", C("cflo")},
    {"crossReferences", C("xrcr")},
    {"crossReferenceStartMarkers", C("xrts")},
    {"crossReferenceEndMarkers", C("xrte")},
    {"sourceMarkers", C("xrsm")},
    {"formats", C("xrft")},
};

const Entry kClasses[] = {
    {"Application", C("capp")},
    {"Document", C("docu")},
    {"Story", C("cflo")},
    {"Text", C("cins")},
    {"CrossReference", C("xrcr")},
    {"CrossReferenceStartMarker", C("xrts")},
    {"CrossReferenceEndMarker", C("xrte")},
    {"SourceMarker", C("xrsm")},
    {"CrossReferenceFormat", C("xrft")},
    {"CrossReferencePreferences", C("xrpo")},
};

template <size_t N>
bool Find(const Entry (&table)[N], const std::string& name, ScriptID* code) {
  for (const Entry& e : table) {
    if (name != e.name) continue;
    *code = e.code;
    return true;
  }
  return false;
}
}  // namespace

bool ScriptDictionary::PropertyCode(const std::string& name, ScriptID* code) { return Find(kProperties, name, code); }

bool ScriptDictionary::MethodCode(const std::string& name, ScriptID* code) { return Find(kMethods, name, code); }

bool ScriptDictionary::CollectionClass(const std::string& name, ScriptID* cls) {
  return Find(kCollections, name, cls);
}

std::string ScriptDictionary::ClassName(ScriptID cls) {
  for (const Entry& e : kClasses)
    if (e.code == cls) return e.name;
  return CodeText(cls);
}

std::string ScriptDictionary::CodeText(ScriptID code) {
  std::string s(4, ' ');
  for (int i = 0; i < 4; ++i) s[static_cast<size_t>(i)] = static_cast<char>((code >> (24 - 8 * i)) & 0xFF);
  return s;
}
