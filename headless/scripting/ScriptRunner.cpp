// Runs scripts: compiles and calls them with the globals `app` and
// `print`, and turns what they throw into "FILE:LINE: message".
#include "headless/scripting/ScriptRunner.h"
#include "headless/scripting/ScriptBinding.h"
#include "headless/scripting/ScriptMemory.h"
#include "host/CmdUtils.h"

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

// Compile errors already name file and line; thrown ones name them in
// their stack trace.
std::string ErrorText(js_State* J, const std::string& fileName) {
  std::string where = fileName;
  if (js_isobject(J, -1) && js_hasproperty(J, -1, "stackTrace")) {
    where = WhereFrom(js_tostring(J, -1), fileName);
    js_pop(J, 1);
  }
  std::string message = js_trystring(J, -1, "an exception that is not a string");
  if (message.compare(0, 13, "SyntaxError: ") == 0 && message.find(fileName + ":") == 13)
    return message.substr(13);
  return where + ": " + message;
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
    *error = ErrorText(J, fileName);
  } else if (js_pop(J, 1), js_ploadstring(J, fileName.c_str(), source.c_str())) {
    *error = ErrorText(J, fileName);
  } else {
    js_pushundefined(J);
    ok = js_pcall(J, 0) == 0;
    if (!ok) *error = ErrorText(J, fileName);
  }
  js_freestate(J);
  context.step.reset();
  return ok;
}
