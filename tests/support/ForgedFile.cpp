#include "tests/support/ForgedFile.h"
#include "headless/database/RecordFile.h"
#include <cstring>

namespace {
const char kMagic[8] = {'X', 'R', 'E', 'F', 'D', 'O', 'C', 0x1A};
}

ForgedFile ForgedFile::From(const std::string& bytes) {
  ForgedFile f;
  RecordReader reader;
  std::string error;
  if (reader.Open(bytes, kMagic, &error)) f.records = reader.Records();
  return f;
}

std::string ForgedFile::Bytes() const {
  RecordWriter w(kMagic);
  for (const std::string& r : records) w.Add(r);
  return w.Finish();
}

int ForgedFile::Object(UID uid) const {
  for (size_t i = 0; i < records.size(); ++i)
    if (records[i][0] == 'O' && Get(static_cast<int>(i), 1) == UIDValue(uid)) return static_cast<int>(i);
  return -1;
}

int ForgedFile::Impl(UID uid, ImplementationID impl) const {
  for (size_t i = 0; i < records.size(); ++i) {
    int r = static_cast<int>(i);
    if (records[i][0] == 'I' && Get(r, 1) == UIDValue(uid) && Get(r, 9) == IdValue(impl)) return r;
  }
  return -1;
}

uint32_t ForgedFile::Get(int record, size_t offset) const {
  size_t pos = offset;
  uint32_t v = 0;
  GetU32(records[static_cast<size_t>(record)], pos, &v);
  return v;
}

void ForgedFile::Set(int record, size_t offset, uint32_t value) {
  std::string bytes;
  PutU32(bytes, value);
  records[static_cast<size_t>(record)].replace(offset, 4, bytes);
}

void ForgedFile::SetBody(int record, const std::string& body) {
  std::string& r = records[static_cast<size_t>(record)];
  r = r.substr(0, 13) + body;
}
