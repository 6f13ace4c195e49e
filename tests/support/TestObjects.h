#pragma once
// Test-only persistent objects and commands, registered with the host by the
// tests that use them: an object with a number, a text, a reference and a
// list of owned children.
#include "host/Command.h"
#include "host/CPMUnknown.h"
#include "host/PMString.h"
#include "host/UIDList.h"

constexpr PMIID IID_ITESTVALUE{0x7101};
constexpr ClassID kTestObjectBoss{0x7001};
constexpr ClassID kTestNewCmdBoss{0x7010};
constexpr ClassID kTestSetCmdBoss{0x7011};
constexpr ClassID kTestDeleteCmdBoss{0x7012};
constexpr ClassID kTestResponderBoss{0x7020};

class ITestValue : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ITESTVALUE;
  virtual void SetValue(int32 v) = 0;
  virtual int32 GetValue() const = 0;
  virtual void SetText(const PMString& t) = 0;
  virtual const PMString& GetText() const = 0;
  virtual void SetParent(UID parent) = 0;
  virtual UID GetParent() const = 0;
  virtual void AddChild(UID child) = 0;
  virtual void RemoveChild(UID child) = 0;
  virtual const UIDList& GetChildren() const = 0;
};

// Registers the test classes once per process.
void RegisterTestClasses();
// Signals the test responder has heard, in order.
std::vector<uint32>& HeardSignals();
// For each signal heard, whether the host answered that updates were blocked.
std::vector<bool>& BlockedAtSignals();
