// Small host value types: UID lists, time stamps, files, paths, attribute lists.
#include "headless/objects/Host.h"
#include "host/AttributeBossList.h"
#include "host/IDFile.h"
#include "host/GlobalTime.h"
#include "host/IPMStream.h"
#include "host/UIDList.h"
#include <boost/make_shared.hpp>
#include <filesystem>

const UIDRef UIDRef::gNull;

int32 UIDList::Location(UID uid) const {
  for (size_t i = 0; i < uids_.size(); ++i)
    if (uids_[i] == uid) return static_cast<int32>(i);
  return -1;
}

static void ReadWriteUIDs(IPMStream* s, std::vector<UID>& uids, bool owned) {
  int32 n = static_cast<int32>(uids.size());
  s->XferInt32(n);
  if (s->IsReading()) {
    int64 avail = s->Available();
    if (n < 0 || (avail >= 0 && static_cast<int64>(n) * 4 > avail)) {
      s->SetBad();
      uids.clear();
      return;
    }
    uids.assign(static_cast<size_t>(n), kInvalidUID);
  }
  if (owned)
    s->XferObjects(uids.data(), n);
  else
    s->XferReferences(uids.data(), n);
}

void UIDList::ReadWriteXferObject(IPMStream* s) { ReadWriteUIDs(s, uids_, true); }
void UIDList::ReadWriteXferReference(IPMStream* s) { ReadWriteUIDs(s, uids_, false); }

GlobalTime GlobalTime::CurrentTime() { return GlobalTime(Host::Get().GetClock().NowMicros()); }

void GlobalTime::ReadWrite(IPMStream* s) { s->XferInt64(t_); }

bool IDFile::Exists() const {
  std::error_code ec;
  return !path_.empty() && std::filesystem::exists(path_, ec);
}

PMString IDFile::GetFileName() const {
  return PMString(std::filesystem::path(path_).filename().string().c_str());
}

AttributeBossList::AttributeBossList() = default;

bool AttributeBossList::operator==(const AttributeBossList& o) const {
  if (CountBosses() != o.CountBosses()) return false;
  return CountBosses() == 0 || *list_ == *o.list_;
}

void AttributeBossList::Detach() {
  if (!list_) list_ = boost::make_shared<std::vector<TextAttribute>>();
  else if (list_.use_count() > 1) list_ = boost::make_shared<std::vector<TextAttribute>>(*list_);
}

void AttributeBossList::ApplyAttribute(const TextAttribute& attr) {
  Detach();
  for (auto& a : *list_) {
    if (a.cls == attr.cls) {
      a = attr;
      return;
    }
  }
  // Lists are built attribute by attribute and mostly hold a dozen or so:
  // room for those at once spares the copies of growing one by one.
  if (list_->empty()) list_->reserve(12);
  list_->push_back(attr);
}

void AttributeBossList::ApplyAttributes(const AttributeBossList& other) {
  for (int32 i = 0; i < other.CountBosses(); ++i) ApplyAttribute(other.GetNth(i));
}

void AttributeBossList::ClearAttribute(ClassID cls) {
  if (!Find(cls)) return;
  Detach();
  for (auto it = list_->begin(); it != list_->end(); ++it) {
    if (it->cls == cls) {
      list_->erase(it);
      return;
    }
  }
}

const TextAttribute* AttributeBossList::Find(ClassID cls) const {
  if (!list_) return nullptr;
  for (auto& a : *list_)
    if (a.cls == cls) return &a;
  return nullptr;
}
