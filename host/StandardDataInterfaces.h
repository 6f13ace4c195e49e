#pragma once
// The host's standard data interfaces, through which commands (and other
// objects) receive parameters. Unset values read as their defaults.
#include "HostIDs.h"
#include "IDFile.h"
#include "IPMUnknown.h"
#include "UIDRef.h"

class IIntData : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IINTDATA;
  virtual void Set(int32 v) = 0;
  virtual int32 Get() const = 0;
};

class IBoolData : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IBOOLDATA;
  virtual void Set(bool16 v) = 0;
  virtual bool16 Get() const = 0;
};

class IStringData : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ISTRINGDATA;
  virtual void Set(const PMString& v) = 0;
  virtual const PMString& Get() const = 0;
};

class IWideStringData : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IWIDESTRINGDATA;
  virtual void Set(const WideString& v) = 0;
  virtual const WideString& Get() const = 0;
};

class IUIDData : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IUIDDATA;
  virtual void Set(const UIDRef& ref) = 0;
  virtual const UIDRef& GetRef() const = 0;
  UID GetUID() const { return GetRef().GetUID(); }
  IDataBase* GetItemDataBase() const { return GetRef().GetDataBase(); }
};

// A text range: a story and a start index with a length.
class IRangeData : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IRANGEDATA;
  virtual void Set(TextIndex start, int32 length) = 0;
  virtual TextIndex Start() const = 0;
  virtual int32 Length() const = 0;
  TextIndex End() const { return Start() + Length(); }
};

class IClassIDData : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ICLASSIDDATA;
  virtual void Set(ClassID v) = 0;
  virtual ClassID GetClassID() const = 0;
};

class IFileData : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IFILEDATA;
  virtual void Set(const IDFile& f) = 0;
  virtual const IDFile& GetFile() const = 0;
};
