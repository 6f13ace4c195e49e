#include "headless/database/RecordFile.h"
#include <boost/crc.hpp>
#include <cstring>

namespace {
const char kEndTag = 'E';
}

uint32_t Crc32(const void* data, size_t size) {
  boost::crc_32_type crc;
  crc.process_bytes(data, size);
  return crc.checksum();
}

void PutU32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

bool GetU32(const std::string& in, size_t& pos, uint32_t* v) {
  if (pos > in.size() || in.size() - pos < 4) return false;
  uint32_t r = 0;
  for (int i = 0; i < 4; ++i) r |= static_cast<uint32_t>(static_cast<unsigned char>(in[pos + i])) << (8 * i);
  pos += 4;
  *v = r;
  return true;
}

RecordWriter::RecordWriter(const char magic[8]) { out_.assign(magic, 8); }

void RecordWriter::Add(const std::string& payload) {
  PutU32(out_, static_cast<uint32_t>(payload.size()));
  PutU32(out_, Crc32(payload.data(), payload.size()));
  out_ += payload;
  ++count_;
}

std::string RecordWriter::Finish() {
  std::string end(1, kEndTag);
  PutU32(end, count_);
  Add(end);
  return std::move(out_);
}

bool RecordReader::Open(const std::string& file, const char magic[8], std::string* error) {
  records_.clear();
  if (file.size() < 8 || std::memcmp(file.data(), magic, 8) != 0) {
    *error = "not a file of this kind (wrong signature)";
    return false;
  }
  size_t pos = 8;
  for (uint32_t index = 0;; ++index) {
    uint32_t length = 0, crc = 0;
    if (pos == file.size()) {
      *error = "file is truncated (end record missing)";
      return false;
    }
    if (!GetU32(file, pos, &length) || !GetU32(file, pos, &crc) || file.size() - pos < length) {
      *error = "file is truncated in record " + std::to_string(index);
      return false;
    }
    if (Crc32(file.data() + pos, length) != crc) {
      *error = "record " + std::to_string(index) + " is corrupt (checksum mismatch)";
      return false;
    }
    std::string payload = file.substr(pos, length);
    pos += length;
    if (!payload.empty() && payload[0] == kEndTag) {
      size_t p = 1;
      uint32_t count = 0;
      if (!GetU32(payload, p, &count) || p != payload.size() || count != records_.size()) {
        *error = "end record does not match the records read";
        return false;
      }
      if (pos != file.size()) {
        *error = "unexpected data after the end record";
        return false;
      }
      return true;
    }
    records_.push_back(std::move(payload));
  }
}
