#include "cli/TerminalQuestions.h"
#include <cctype>
#include <istream>
#include <ostream>
#include <string>

namespace {
std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

int Answer(const std::string& line, const std::vector<std::string>& buttons, int defaultButton) {
  const std::string answer = Lower(line);
  if (answer.empty()) return defaultButton;
  for (size_t i = 0; i < buttons.size(); ++i) {
    const std::string name = Lower(buttons[i]);
    if (answer == name || answer == std::to_string(i + 1) || (answer.size() == 1 && name[0] == answer[0]))
      return static_cast<int>(i + 1);
  }
  return 0;
}
}  // namespace

void AskOn(Application& app, std::istream& in, std::ostream& out) {
  app.Alerts().SetAsker([&in, &out](const std::string& message, const std::vector<std::string>& buttons,
                                    int defaultButton) {
    for (;;) {
      out << message << " [";
      for (size_t i = 0; i < buttons.size(); ++i)
        out << (i ? "/" : "") << buttons[i] << (static_cast<int>(i + 1) == defaultButton ? "*" : "");
      out << "] " << std::flush;
      std::string line;
      if (!std::getline(in, line)) return defaultButton;
      const int answer = Answer(line, buttons, defaultButton);
      if (answer > 0) return answer;
    }
  });
}

void AnswerYes(Application& app) {
  app.Alerts().SetAsker([](const std::string&, const std::vector<std::string>&, int) { return 1; });
}
