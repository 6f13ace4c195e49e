#include "headless/database/DocumentFile.h"
#include "headless/database/DocumentContent.h"
#include "headless/database/RecordConversion.h"
#include "headless/database/Transactions.h"
#include "headless/objects/Host.h"
#include "headless/database/LoadChecks.h"
#include "headless/database/RecordFile.h"
#include "headless/database/SafeFile.h"
#include <cstdio>
#include <fstream>
#include <sys/stat.h>
#include <set>

namespace {
const char kMagic[8] = {'X', 'R', 'E', 'F', 'D', 'O', 'C', 0x1A};
const uint32_t kFormatVersion = 1;
const char kHeaderTag = 'H', kObjectTag = 'O', kImplTag = 'I';

RecordConversion* gConversion = nullptr;

std::string Version(int32 v) { return std::to_string(v / 100) + "." + std::to_string(v % 100); }

std::string Hex(uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%X", v);
  return buf;
}

// Plug-ins that hold implementations stored in the database, less those that
// withdrew their claim, with their data versions.
std::map<PluginID, int32> PluginsWithData(DataBase& db) {
  std::map<PluginID, int32> result;
  for (auto& entry : db.Objects()) {
    for (auto& slot : entry.second->Slots()) {
      if (!slot.record->readWrite || slot.record->plugin == kInvalidPlugin) continue;
      PluginID p = slot.record->plugin;
      if (db.WithdrawnPlugins().count(p)) continue;
      auto v = Host::Get().PluginVersions().find(p);
      result[p] = v != Host::Get().PluginVersions().end() ? v->second : 0;
    }
  }
  return result;
}

// An identifier the host does not know is dropped without a word only when
// it belongs to a plug-in that withdrew its claim: one outside the host's
// range whose plug-in the header does not list. Anything else is an error.
bool MayDropQuietly(DataBase& db, uint32_t id) {
  if (Host::IsHostIdentifier(id)) return false;
  return !db.PluginData().count(Host::PluginOf(id));
}
}  // namespace

std::string DocumentFile::Serialize(DataBase& db, Kind kind) {
  RecordWriter w(kMagic);
  std::string header(1, kHeaderTag);
  PutU32(header, kFormatVersion);
  PutU32(header, kind);
  auto plugins = PluginsWithData(db);
  PutU32(header, static_cast<uint32_t>(plugins.size()));
  for (auto& p : plugins) {
    PutU32(header, IdValue(p.first));
    PutU32(header, static_cast<uint32_t>(p.second));
  }
  w.Add(header);
  for (auto& entry : db.Objects()) {
    std::string obj(1, kObjectTag);
    PutU32(obj, UIDValue(entry.first));
    PutU32(obj, IdValue(entry.second->GetClass()));
    w.Add(obj);
    for (auto& impl : db.SerializeObject(entry.first)) {
      std::string rec(1, kImplTag);
      PutU32(rec, UIDValue(entry.first));
      PutU32(rec, IdValue(entry.second->GetClass()));
      PutU32(rec, IdValue(impl.first));
      rec += impl.second;
      w.Add(rec);
    }
  }
  return w.Finish();
}

std::unique_ptr<DataBase> DocumentFile::Deserialize(const std::string& bytes, Kind kind, const std::string& name,
                                                    std::string* error) {
  RecordReader reader;
  if (!reader.Open(bytes, kMagic, error)) return nullptr;
  const auto& records = reader.Records();
  auto fail = [&](const std::string& why) -> std::unique_ptr<DataBase> {
    *error = why;
    return nullptr;
  };
  if (records.empty() || records[0].empty() || records[0][0] != kHeaderTag) return fail("header record missing");

  size_t pos = 1;
  uint32_t version = 0, fileKind = 0, pluginCount = 0;
  const std::string& h = records[0];
  if (!GetU32(h, pos, &version) || !GetU32(h, pos, &fileKind) || !GetU32(h, pos, &pluginCount))
    return fail("header record is malformed");
  if (version != kFormatVersion) return fail("unsupported file format version " + std::to_string(version));
  if (fileKind != kind) return fail(kind == kDocument ? "file is not a document" : "file is not a preferences file");
  if (pluginCount > (h.size() - pos) / 8) return fail("header record is malformed");
  auto db = std::make_unique<DataBase>(name, Transactions::Process());
  for (uint32_t i = 0; i < pluginCount; ++i) {
    uint32_t id = 0, v = 0;
    GetU32(h, pos, &id);
    GetU32(h, pos, &v);
    PluginID plugin{id};
    auto loaded = Host::Get().PluginVersions().find(plugin);
    if (loaded == Host::Get().PluginVersions().end())
      return fail("document needs plug-in " + Hex(id) + ", which is not loaded");
    const int32 stored = static_cast<int32>(v), current = loaded->second;
    if (db->PluginData().count(plugin)) return fail("header names plug-in " + Hex(id) + " twice");
    // Data of a newer version would be misread: refuse it.
    if (stored > current || stored < 0)
      return fail("document holds data version " + Version(stored) + " of plug-in " + Hex(id) +
                  ", newer than the loaded plug-in's " + Version(current));
    if (stored < current) {
      std::string why = "no conversion is installed";
      if (!gConversion || !gConversion->CanConvert(plugin, stored, current, &why))
        return fail("document holds data version " + Version(stored) + " of plug-in " + Hex(id) +
                    ", which cannot be converted to " + Version(current) + ": " + why);
      db->ConvertedFrom()[plugin] = stored;
    }
    db->PluginData()[plugin] = current;
  }
  if (pos != h.size()) return fail("header record is malformed");

  // Objects first, so implementations can be restored in any order.
  std::set<UID> skipped;
  for (size_t r = 1; r < records.size(); ++r) {
    const std::string& rec = records[r];
    if (rec.empty()) return fail("record " + std::to_string(r) + " is empty");
    if (rec[0] != kObjectTag) continue;
    size_t p = 1;
    uint32_t uid = 0, cls = 0;
    if (!GetU32(rec, p, &uid) || !GetU32(rec, p, &cls) || p != rec.size() || uid == 0)
      return fail("object record " + std::to_string(r) + " is malformed");
    // New UIDs count up from the largest stored; room must remain.
    if (uid >= DataBase::kUIDLimit) return fail("object record " + std::to_string(r) + " has an out-of-range UID");
    if (db->FindObject(UID{uid})) return fail("object " + std::to_string(uid) + " is stored twice");
    if (!Host::Get().Classes().IsDefined(ClassID{cls})) {
      if (MayDropQuietly(*db, cls)) {
        skipped.insert(UID{uid});
        continue;
      }
      return fail("object " + std::to_string(uid) + " has unknown class " + Hex(cls));
    }
    if (!db->CreateObjectAt(UID{uid}, ClassID{cls}))
      return fail("object " + std::to_string(uid) + " of class " + Hex(cls) + " cannot be created");
  }
  std::set<std::pair<UID, ImplementationID>> restored;
  for (size_t r = 1; r < records.size(); ++r) {
    const std::string& rec = records[r];
    if (rec[0] == kObjectTag) continue;
    if (rec[0] != kImplTag) return fail("record " + std::to_string(r) + " has unknown type");
    size_t p = 1;
    uint32_t uid = 0, cls = 0, impl = 0;
    if (!GetU32(rec, p, &uid) || !GetU32(rec, p, &cls) || !GetU32(rec, p, &impl))
      return fail("record " + std::to_string(r) + " is malformed");
    if (skipped.count(UID{uid})) continue;
    if (!db->FindObject(UID{uid}))
      return fail("record " + std::to_string(r) + " names object " + std::to_string(uid) + ", which is not stored");
    if (db->GetClass(UID{uid}) != ClassID{cls})
      return fail("record " + std::to_string(r) + " names object " + std::to_string(uid) + " of another class");
    std::string bytes = rec.substr(p);
    auto converted = db->ConvertedFrom().find(Host::PluginOf(impl));
    if (converted != db->ConvertedFrom().end()) {
      ImplementationID id{impl};
      const auto result = gConversion->Convert(converted->first, converted->second,
                                               db->PluginData()[converted->first], ClassID{cls}, &id, &bytes);
      if (result == RecordConversion::kFail)
        return fail("record " + std::to_string(r) + " (implementation " + Hex(impl) + ") cannot be converted");
      if (result == RecordConversion::kDrop) continue;
      impl = IdValue(id);
    }
    if (!Host::Get().Impls().Find(ImplementationID{impl})) {
      if (MayDropQuietly(*db, impl)) continue;
      return fail("object " + std::to_string(uid) + " has unknown implementation " + Hex(impl));
    }
    if (!restored.insert({UID{uid}, ImplementationID{impl}}).second)
      return fail("object " + std::to_string(uid) + " stores implementation " + Hex(impl) + " twice");
    if (!db->RestoreImpl(UID{uid}, ImplementationID{impl}, bytes))
      return fail("record " + std::to_string(r) + " (implementation " + Hex(impl) + ") cannot be read");
  }
  if (!db->FindObject(kRootUID)) return fail("root object missing");
  if (!LoadChecks::RunAll(*db, error)) return nullptr;
  db->SetModified(false);
  return db;
}

void DocumentFile::SetRecordConversion(RecordConversion* conversion) { gConversion = conversion; }

bool DocumentFile::SameContent(const std::string& a, const std::string& b, ImplementationID loose,
                               size_t looseTail) {
  if (a == b) return true;
  RecordReader left, right;
  std::string ignored;
  if (!left.Open(a, kMagic, &ignored) || !right.Open(b, kMagic, &ignored)) return false;
  const auto& x = left.Records();
  const auto& y = right.Records();
  if (x.size() != y.size()) return false;
  for (size_t r = 0; r < x.size(); ++r) {
    if (x[r] == y[r]) continue;
    size_t pos = 9;  // tag, UID, class
    uint32_t impl = 0;
    const bool isLoose = x[r].size() == y[r].size() && !x[r].empty() && x[r][0] == kImplTag &&
                         GetU32(x[r], pos, &impl) && ImplementationID{impl} == loose &&
                         x[r].size() >= pos + looseTail;
    if (!isLoose || x[r].compare(0, x[r].size() - looseTail, y[r], 0, y[r].size() - looseTail) != 0) return false;
  }
  return true;
}

bool DocumentFile::Save(DataBase& db, Kind kind, const std::string& path, std::string* error) {
  return SafeFile::Replace(path, Serialize(db, kind), error);
}

std::unique_ptr<DataBase> DocumentFile::Load(const std::string& path, Kind kind, std::string* error) {
  std::string bytes;
  if (!SafeFile::Read(path, &bytes, error)) return nullptr;
  auto db = Deserialize(bytes, kind, path, error);
  if (!db) *error = path + ": " + *error;
  return db;
}

bool DocumentFile::BeginsAs(const std::string& path, Kind kind) {
  // Signature, record length and checksum, header tag, format version, kind.
  const size_t need = sizeof kMagic + 8 + 1 + 8;
  // Only a regular file: opening a FIFO or a device to peek would block or
  // read without end.
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  std::ifstream in(path, std::ios::binary);
  std::string head(need, '\0');
  if (!in.read(&head[0], static_cast<std::streamsize>(need))) return false;
  if (head.compare(0, sizeof kMagic, std::string(kMagic, sizeof kMagic)) != 0) return false;
  size_t pos = sizeof kMagic + 8;
  if (head[pos++] != kHeaderTag) return false;
  uint32_t version = 0, fileKind = 0;
  if (!GetU32(head, pos, &version) || !GetU32(head, pos, &fileKind)) return false;
  return version == kFormatVersion && fileKind == kind;
}
