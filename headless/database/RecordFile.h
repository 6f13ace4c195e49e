#pragma once
// The framing of document and preferences files. After an 8-byte magic, the
// file is a sequence of records, each
//   u32 payload length | u32 CRC-32 of the payload | payload
// The first record is the header, the last the end record, which counts the
// records before it; anything after it, a short record or a checksum that
// does not match is corruption. All integers are little-endian.
#include <cstdint>
#include <string>
#include <vector>

class RecordWriter {
public:
  explicit RecordWriter(const char magic[8]);
  void Add(const std::string& payload);
  // Appends the end record and answers the whole file.
  std::string Finish();

private:
  std::string out_;
  uint32_t count_ = 0;
};

class RecordReader {
public:
  // Checks the magic and every record's frame and checksum, up to and
  // including the end record; false with a message on any fault.
  bool Open(const std::string& file, const char magic[8], std::string* error);
  const std::vector<std::string>& Records() const { return records_; }

private:
  std::vector<std::string> records_;
};

uint32_t Crc32(const void* data, size_t size);

// Little-endian helpers for payloads.
void PutU32(std::string& out, uint32_t v);
// Reads at pos and advances it; false when the payload is too short.
bool GetU32(const std::string& in, size_t& pos, uint32_t* v);
