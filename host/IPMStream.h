#pragma once
// A stream that reads or writes an object's fields; the same ReadWrite code
// serves both directions. Read streams never trust their input: reading past
// the end yields zeros and marks the stream bad.
#include "IPMUnknown.h"
#include "UID.h"

class IPMStream : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID{0x1F0};

  virtual bool16 IsReading() const = 0;
  virtual bool16 IsWriting() const = 0;

  virtual void XferByte(uchar& v) = 0;
  virtual void XferBool(bool16& v) = 0;
  virtual void XferInt16(int16& v) = 0;
  virtual void XferInt32(int32& v) = 0;
  virtual void XferInt64(int64& v) = 0;
  virtual void XferReal(double& v) = 0;
  // Raw bytes; answers how many were transferred.
  virtual int32 XferBytes(void* buf, int32 count) = 0;

  // A reference to another object; remapped when objects are copied.
  virtual void XferReference(UID& uid) = 0;
  // An object this one owns; copied along with it between databases.
  virtual void XferObject(UID& uid) = 0;
  // Runs of them, as one transfer would each; streams that can move a run
  // at once do (a long list of references costs a copy, not a call each).
  virtual void XferReferences(UID* uids, int32 count) {
    for (int32 i = 0; i < count; ++i) XferReference(uids[i]);
  }
  virtual void XferObjects(UID* uids, int32 count) {
    for (int32 i = 0; i < count; ++i) XferObject(uids[i]);
  }

  // Bytes left to read, or -1 when unknown. Lets readers reject lengths the
  // input cannot hold before allocating for them.
  virtual int64 Available() const = 0;
  virtual bool16 GetBad() const = 0;
  virtual void SetBad() = 0;

  // Convenience transfers of unsigned and 32-bit values.
  void XferUInt32(uint32& v) { int32 t = static_cast<int32>(v); XferInt32(t); v = static_cast<uint32>(t); }
  void XferBoolean(bool& v) { bool16 t = v ? 1 : 0; XferBool(t); v = t != 0; }
};

namespace StreamUtil {
// A read stream over a caller-owned buffer; the caller releases the stream.
IPMStream* CreatePointerStreamRead(const void* buffer, int32 length);
}  // namespace StreamUtil
