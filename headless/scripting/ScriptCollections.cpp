// Collections as JavaScript objects: length, [n], item(), itemByName(), add().
#include "headless/scripting/ScriptBinding.h"
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {
struct Collection {
  ScriptObject parent;
  ScriptID cls = 0;
};

void FinalizeCollection(js_State*, void* p) { delete static_cast<Collection*>(p); }

// item(index or name) of a collection: null when there is none.
void CollectionItem(js_State* J) {
  const ScriptBound& bound = *static_cast<ScriptBound*>(js_currentfunctiondata(J));
  ScriptObject found;
  ErrorCode code = kScriptNoSuchObjectError;
  const double n = js_isnumber(J, 1) ? js_tonumber(J, 1) : -1;
  // Only whole numbers an index can be: 2^32 is not item 0.
  if (js_isnumber(J, 1) && n >= 0 && n <= INT32_MAX && n == static_cast<double>(static_cast<int32>(n)))
    code = Ctx(J).model.Nth(bound.target, bound.cls, static_cast<int32>(n), &found);
  else if (js_isstring(J, 1))
    code = Ctx(J).model.ByName(bound.target, bound.cls, PMString(js_tostring(J, 1), PMString::kNoTranslate), &found);
  if (code == kSuccess) PushObject(J, found);
  else js_pushnull(J);
}

int CollectionHas(js_State* J, void* p, const char* name) {
  int found = 0;
  {
    const Collection& c = *static_cast<Collection*>(p);
    char* end = nullptr;
    const long n = std::strtol(name, &end, 10);
    if (std::strcmp(name, "length") == 0) {
      js_pushnumber(J, Ctx(J).model.Count(c.parent, c.cls));
      found = 1;
    } else if (*name && *end == 0 && n >= 0 && n <= INT32_MAX) {
      ScriptObject object;
      if (Ctx(J).model.Nth(c.parent, c.cls, static_cast<int32>(n), &object) == kSuccess) {
        PushObject(J, object);
        found = 1;
      }
    } else if (std::strcmp(name, "item") == 0 || std::strcmp(name, "itemByName") == 0) {
      js_newcfunctionx(J, CollectionItem, name, 1, new ScriptBound{c.parent, 0, c.cls}, FinalizeBound);
      found = 1;
    } else if (std::strcmp(name, "add") == 0) {
      PushMethod(J, c.parent, kCreateMethod, c.cls, name);
      found = 1;
    }
  }
  return found;
}

int RefuseRemoval(js_State* J, void*, const char* name) {
  js_error(J, "%s: collections cannot be changed that way", name);
  return 1;
}

int RefusePut(js_State* J, void*, const char* name) {
  js_error(J, "%s: collections cannot be changed that way", name);
  return 1;
}
}  // namespace

void PushCollection(js_State* J, const ScriptObject& parent, ScriptID cls) {
  js_getglobal(J, "Object");
  js_getproperty(J, -1, "prototype");
  js_rot2pop1(J);
  js_newuserdatax(J, kScriptCollectionTag, new Collection{parent, cls}, CollectionHas, RefusePut, RefuseRemoval,
                  FinalizeCollection);
}
