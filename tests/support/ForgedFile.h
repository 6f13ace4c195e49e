#pragma once
// Takes a saved file apart into its records and puts it back together with
// valid frames and checksums, so tests can forge what a hostile file holds.
// Record payloads: header 'H' u32 version, u32 kind, u32 n, n x (u32 plug-in,
// u32 data version); object 'O' u32 UID, u32 class; implementation 'I' u32
// UID, u32 class, u32 implementation, bytes.
#include "host/UID.h"
#include <string>
#include <vector>

struct ForgedFile {
  std::vector<std::string> records;  // without the end record

  static ForgedFile From(const std::string& bytes);
  std::string Bytes() const;

  // The index of the object's record, or of its implementation's; -1 if none.
  int Object(UID uid) const;
  int Impl(UID uid, ImplementationID impl) const;
  // Reads or writes a little-endian u32 at a record's offset.
  uint32_t Get(int record, size_t offset) const;
  void Set(int record, size_t offset, uint32_t value);
  // The implementation bytes of a record (after its 13-byte head).
  std::string Body(int record) const { return records[static_cast<size_t>(record)].substr(13); }
  void SetBody(int record, const std::string& body);
};
