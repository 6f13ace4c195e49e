// Runs scripts: compiles and calls them with the globals `app` and
// `print`, and turns what they throw into "FILE:LINE: message".
#include "headless/scripting/ScriptRunner.h"
#include "headless/scripting/ScriptBinding.h"
#include "headless/scripting/ScriptMemory.h"
#include "host/CmdUtils.h"
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

namespace {
void Print(js_State* J) {
  {
    std::string line;
    const int n = js_gettop(J);
    for (int i = 1; i < n; ++i) {
      if (i > 1) line += ' ';
      line += js_tostring(J, i);
    }
    *Ctx(J).out << line << "\n";
  }
  js_pushundefined(J);
}

// "FILE:LINE" of the innermost script frame of a stack trace.
std::string WhereFrom(const std::string& trace, const std::string& fileName) {
  const std::string key = fileName + ":";
  const size_t at = trace.find(key);
  if (at == std::string::npos) return fileName;
  size_t end = at + key.size();
  while (end < trace.size() && trace[end] >= '0' && trace[end] <= '9') ++end;
  return trace.substr(at, end - at);
}

// A compile error names file and line in its message already.
std::string ErrorText(const std::string& where, const std::string& message, const std::string& fileName) {
  if (message.compare(0, 13, "SyntaxError: ") == 0 && message.find(fileName + ":") == 13)
    return message.substr(13);
  return where + ": " + message;
}

// The error of a failed compile or set-up, at the top of the stack.
std::string CaughtError(js_State* J, const std::string& fileName) {
  return ErrorText(fileName, js_trystring(J, -1, "an exception that is not a string"), fileName);
}

// What the script threw and where, taken while the interpreter still
// stands where it threw: a script runs outside any interpreter-level try,
// so what it does not catch reaches the panic hook with every frame in
// place. Whatever was thrown (an Error, a forged one, 42, the
// interpreter's own "stack overflow" or "out of memory"), the line comes
// from those frames.
struct Escape {
  std::jmp_buf jump;
  ScriptMemory* memory = nullptr;
  bool panicking = false;
  char trace[4096] = {0};
  char message[512] = {0};
};
thread_local Escape* gEscape = nullptr;

void CopyOut(char* to, size_t size, const char* from) {
  std::snprintf(to, size, "%s", from ? from : "");
}

void Panic(js_State* J) {
  Escape* escape = gEscape;
  if (!escape) std::abort();
  if (escape->panicking) std::longjmp(escape->jump, 1);
  escape->panicking = true;
  // Room to describe the failure, whatever ran out.
  if (escape->memory->limit) escape->memory->limit += size_t{1} << 20;
  CopyOut(escape->message, sizeof escape->message, js_trystring(J, -1, "an exception that is not a string"));
  js_pop(J, js_gettop(J) > 16 ? 16 : js_gettop(J));
  // js_try, spelled for C++: js_savetry answers the jump buffer untyped.
  if (setjmp(*static_cast<std::jmp_buf*>(js_savetry(J)))) {
    js_pop(J, 1);
  } else {
    js_newerror(J, "");
    js_getproperty(J, -1, "stackTrace");
    CopyOut(escape->trace, sizeof escape->trace, js_isstring(J, -1) ? js_tostring(J, -1) : "");
    js_endtry(J);
  }
  std::longjmp(escape->jump, 1);
}

// Runs the compiled script at the top of the stack; false with the error.
bool RunCompiled(js_State* J, ScriptMemory* memory, const std::string& fileName, std::string* error) {
  static thread_local Escape escape;
  escape = Escape();
  escape.memory = memory;
  gEscape = &escape;
  js_atpanic(J, Panic);
  if (setjmp(escape.jump) == 0) {
    js_pushundefined(J);
    js_call(J, 0);
    gEscape = nullptr;
    return true;
  }
  gEscape = nullptr;
  *error = ErrorText(WhereFrom(escape.trace, fileName), escape.message, fileName);
  return false;
}

// undoStep(name): what the script did so far is one undo step; what it
// does next forms another, with the name given.
void UndoStep(js_State* J) {
  {
    ScriptContext& context = Ctx(J);
    const PMString name(js_isundefined(J, 1) ? "" : js_tostring(J, 1), PMString::kNoTranslate);
    context.step.reset();
    context.step = std::make_unique<CmdUtils::SequenceContext>(name);
  }
  js_pushundefined(J);
}

// Run protected, since making them may run out of memory.
void SetUpGlobals(js_State* J) {
  js_newcfunction(J, Print, "print", 1);
  js_setglobal(J, "print");
  js_newcfunction(J, UndoStep, "undoStep", 1);
  js_setglobal(J, "undoStep");
  PushObject(J, Ctx(J).model.Application());
  js_setglobal(J, "app");
  js_pushundefined(J);
}

}  // namespace

bool RunScript(const std::string& fileName, const std::string& source, std::ostream& out,
               const ScriptLimits& limits, std::string* error) {
  ScriptMemory memory;
  memory.limit = limits.memoryBytes;
  ScriptContext context;
  context.out = &out;
  js_State* J = js_newstate(ScriptMemory::Allocate, &memory, JS_STRICT);
  if (!J) {
    *error = fileName + ": out of memory";
    return false;
  }
  js_setcontext(J, &context);
  context.step = std::make_unique<CmdUtils::SequenceContext>(PMString(fileName.c_str(), PMString::kNoTranslate));
  bool ok = false;
  js_newcfunction(J, SetUpGlobals, "", 0);
  js_pushundefined(J);
  if (js_pcall(J, 0)) {
    *error = CaughtError(J, fileName);
  } else if (js_pop(J, 1), js_ploadstring(J, fileName.c_str(), source.c_str())) {
    *error = CaughtError(J, fileName);
  } else {
    ok = RunCompiled(J, &memory, fileName, error);
  }
  js_freestate(J);
  context.step.reset();
  return ok;
}
