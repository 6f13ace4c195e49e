#include "tests/support/OldDocumentWriter.h"
#include "headless/database/DocumentFile.h"
#include "headless/database/RecordFile.h"
#include "headless/objects/MemoryStream.h"
#include "host/GlobalTime.h"
#include "host/PMString.h"
#include "host/WideString.h"
#include "model/XRefModelID.h"
#include <fstream>

namespace {
const char kMagic[8] = {'X', 'R', 'E', 'F', 'D', 'O', 'C', 0x1A};
constexpr uint32 kPlugin = 0xF2C00;

struct StoredImpl {
  uint32 uid, cls, impl;
  std::string payload;
};

bool ParseImpl(const std::string& rec, StoredImpl* out) {
  size_t p = 1;
  if (rec.empty() || rec[0] != 'I') return false;
  if (!GetU32(rec, p, &out->uid) || !GetU32(rec, p, &out->cls) || !GetU32(rec, p, &out->impl)) return false;
  out->payload = rec.substr(p);
  return true;
}

std::string ImplRecordBytes(uint32 uid, uint32 cls, uint32 impl, const std::string& payload) {
  std::string rec(1, 'I');
  PutU32(rec, uid);
  PutU32(rec, cls);
  PutU32(rec, impl);
  return rec + payload;
}

// Current cross-reference layout in, 1.1 layout out.
std::string CrossRef11(const std::string& payload, const std::string& path) {
  MemoryReadStream in(payload);
  PMString markerName, formatName, format;
  WideString absolute, relative;
  UID start = kInvalidUID, end = kInvalidUID;
  GlobalTime time;
  markerName.ReadWrite(&in);
  absolute.ReadWrite(&in);
  relative.ReadWrite(&in);
  formatName.ReadWrite(&in);
  format.ReadWrite(&in);
  in.XferReference(start);
  in.XferReference(end);
  time.ReadWrite(&in);
  MemoryWriteStream out;
  markerName.ReadWrite(&out);
  PMString oldPath(path.empty() ? absolute : WideString::FromUTF8(path));
  oldPath.ReadWrite(&out);
  formatName.ReadWrite(&out);
  format.ReadWrite(&out);
  out.XferReference(start);
  out.XferReference(end);
  return out.Data();
}

// Current source-marker layout in, 1.0 layout (the name alone) out.
std::string SourceMarker10(const std::string& payload) {
  MemoryReadStream in(payload);
  PMString name;
  name.ReadWrite(&in);
  MemoryWriteStream out;
  name.ReadWrite(&out);
  return out.Data();
}

std::string Header(const std::string& current, int32 version) {
  size_t pos = 1;
  uint32 format = 0, kind = 0, count = 0;
  GetU32(current, pos, &format);
  GetU32(current, pos, &kind);
  GetU32(current, pos, &count);
  std::string header(1, 'H');
  PutU32(header, format);
  PutU32(header, kind);
  PutU32(header, count);
  for (uint32 i = 0; i < count; ++i) {
    uint32 id = 0, v = 0;
    GetU32(current, pos, &id);
    GetU32(current, pos, &v);
    PutU32(header, id);
    PutU32(header, id == kPlugin ? static_cast<uint32>(version) : v);
  }
  return header;
}
}  // namespace

std::string OldDocumentBytes(DataBase& db, const OldDocumentOptions& options) {
  RecordReader reader;
  std::string error;
  if (!reader.Open(DocumentFile::Serialize(db, DocumentFile::kDocument), kMagic, &error)) return std::string();
  const auto& records = reader.Records();
  RecordWriter writer(kMagic);
  writer.Add(Header(records[0], options.version));
  uint32 lastUID = 0;
  for (size_t r = 1; r < records.size(); ++r) {
    const std::string& rec = records[r];
    StoredImpl impl;
    if (!options.rewriteRecords || !ParseImpl(rec, &impl)) {
      size_t p = 1;
      uint32 uid = 0;
      GetU32(rec, p, &uid);
      lastUID = std::max(lastUID, uid);
      writer.Add(rec);
      continue;
    }
    if (impl.impl == IdValue(kXRefCrossRefImpl) && options.version <= 101)
      impl.payload = CrossRef11(impl.payload, options.crossRefPath);
    if (options.version <= 100 && impl.impl == IdValue(kXRefSourceMarkerImpl)) impl.payload = SourceMarker10(impl.payload);
    if (options.version <= 100 && impl.impl == IdValue(kXRefSourceMarkerListImpl)) continue;
    writer.Add(ImplRecordBytes(impl.uid, impl.cls, impl.impl, impl.payload));
  }
  for (int32 i = 0; options.rewriteRecords && options.version <= 100 && i < options.attributeReports; ++i) {
    // A cross-reference attribute object with its report: five answers.
    const uint32 uid = ++lastUID;
    std::string object(1, 'O');
    PutU32(object, uid);
    PutU32(object, IdValue(kXRefCrossRefAttrBoss));
    writer.Add(object);
    std::string report;
    for (uint32 answer : {0u, 0u, 0u, 0u, 2u}) PutU32(report, answer);
    writer.Add(ImplRecordBytes(uid, IdValue(kXRefCrossRefAttrBoss), IdValue(kXRefCrossRefAttrReportImpl), report));
  }
  return writer.Finish();
}

bool WriteOldDocument(DataBase& db, const OldDocumentOptions& options, const std::string& path) {
  const std::string bytes = OldDocumentBytes(db, options);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return !bytes.empty() && static_cast<bool>(out);
}

std::vector<std::string> ImplementationRecords(const std::string& fileBytes, uint32 implID) {
  RecordReader reader;
  std::string error;
  std::vector<std::string> found;
  if (!reader.Open(fileBytes, kMagic, &error)) return found;
  for (const std::string& rec : reader.Records()) {
    StoredImpl impl;
    if (ParseImpl(rec, &impl) && impl.impl == implID) found.push_back(impl.payload);
  }
  return found;
}

int32 StoredDataVersion(const std::string& fileBytes, uint32 plugin) {
  RecordReader reader;
  std::string error;
  if (!reader.Open(fileBytes, kMagic, &error)) return -1;
  const std::string& h = reader.Records()[0];
  size_t pos = 1;
  uint32 format = 0, kind = 0, count = 0;
  GetU32(h, pos, &format);
  GetU32(h, pos, &kind);
  GetU32(h, pos, &count);
  for (uint32 i = 0; i < count; ++i) {
    uint32 id = 0, v = 0;
    GetU32(h, pos, &id);
    GetU32(h, pos, &v);
    if (id == plugin) return static_cast<int32>(v);
  }
  return -1;
}

std::vector<std::string> CrossRefRecordPaths(const std::string& payload) {
  MemoryReadStream in(payload);
  PMString markerName;
  WideString absolute, relative;
  markerName.ReadWrite(&in);
  absolute.ReadWrite(&in);
  relative.ReadWrite(&in);
  return {absolute.GetUTF8String(), relative.GetUTF8String()};
}
