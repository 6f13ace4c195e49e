#include "headless/text/TextAttributeIO.h"
#include "headless/objects/Host.h"
#include "host/TextIDs.h"

bool IsUIDAttribute(ClassID cls) {
  if (cls == kTextAttrFontBoss || cls == kTextAttrFillColorBoss || cls == kTextAttrLanguageBoss) return true;
  std::vector<std::pair<PMIID, ImplementationID>> impls;
  if (!Host::Get().Classes().Resolve(cls, &impls)) return false;
  for (auto& entry : impls)
    if (entry.first == IID_ITEXTATTRUID) return true;
  return false;
}

void ReadWriteTextAttribute(IPMStream* s, TextAttribute& a) {
  uint32 cls = IdValue(a.cls);
  s->XferUInt32(cls);
  a.cls = ClassID{cls};
  uchar isUID = s->IsWriting() && IsUIDAttribute(a.cls) ? 1 : 0;
  s->XferByte(isUID);
  if (isUID > 1) s->SetBad();
  if (isUID == 1) {
    UID uid{static_cast<uint32>(a.intValue)};
    s->XferReference(uid);
    a.intValue = UIDValue(uid);
  } else {
    s->XferInt64(a.intValue);
  }
  s->XferReal(a.realValue);
  a.stringValue.ReadWrite(s);
}

void ReadWriteTextAttributes(IPMStream* s, std::vector<TextAttribute>& list) {
  int32 n = static_cast<int32>(list.size());
  s->XferInt32(n);
  if (s->IsReading()) {
    // Each attribute takes at least 22 bytes (a UID value, an empty string).
    int64 avail = s->Available();
    if (n < 0 || (avail >= 0 && static_cast<int64>(n) * 22 > avail)) {
      s->SetBad();
      list.clear();
      return;
    }
    list.assign(static_cast<size_t>(n), TextAttribute());
  }
  for (auto& a : list) ReadWriteTextAttribute(s, a);
}

void ReadWriteAttributeList(IPMStream* s, AttributeBossList& list) {
  std::vector<TextAttribute> items;
  for (int32 i = 0; i < list.CountBosses(); ++i) items.push_back(list.GetNth(i));
  ReadWriteTextAttributes(s, items);
  if (!s->IsReading()) return;
  list = AttributeBossList();
  for (auto& a : items) list.ApplyAttribute(a);
}
