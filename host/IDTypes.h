#pragma once
// Identifier spaces of the host. Each is its own enum type so that a class
// identifier can never be passed where an interface identifier is expected,
// even though the numbers may coincide.
#include <cstdint>
#include <functional>

typedef int16_t bool16;
typedef int32_t int32;
typedef uint32_t uint32;
typedef int16_t int16;
typedef uint16_t uint16;
typedef int64_t int64;
typedef uint8_t uchar;

enum class ClassID : uint32_t {};
enum class PMIID : uint32_t {};
enum class ImplementationID : uint32_t {};
enum class ServiceID : uint32_t {};
enum class ActionID : uint32_t {};
enum class PluginID : uint32_t {};
enum class ErrorCode : int32_t {};

constexpr ClassID kInvalidClass{0};
constexpr PMIID kInvalidInterfaceID{0};
constexpr ImplementationID kInvalidImpl{0};
constexpr ServiceID kInvalidService{0};
constexpr PluginID kInvalidPlugin{0};
constexpr ErrorCode kSuccess{0};
constexpr ErrorCode kFailure{1};
// Host error codes the headless host reports itself.
constexpr ErrorCode kOutOfMemoryError{2};
constexpr ErrorCode kInvalidParameterError{3};
constexpr ErrorCode kObjectNotFoundError{4};
constexpr ErrorCode kFileNotFoundError{5};
constexpr ErrorCode kCorruptDocumentError{6};
constexpr ErrorCode kFileWriteError{7};
constexpr ErrorCode kParserError{8};
constexpr ErrorCode kCancel{9};
constexpr ErrorCode kFileNotReadableError{10};     // not a regular file, or not readable
constexpr ErrorCode kNotADocumentError{11};        // no document signature
constexpr ErrorCode kDocumentAlreadyOpenError{12};

template <class E> constexpr uint32_t IdValue(E e) { return static_cast<uint32_t>(e); }
inline int32_t ErrorValue(ErrorCode e) { return static_cast<int32_t>(e); }

typedef int32 TextIndex;
enum : int32 { kInvalidTextIndex = -1 };
