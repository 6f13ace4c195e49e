#pragma once
// How the headless host shows alerts and answers modal questions: messages go
// to a stream (standard error in the program) and are kept for tests; modal
// questions take queued answers, then the default button.
#include <deque>
#include <functional>
#include <string>
#include <vector>

class AlertPolicy {
public:
  struct Shown {
    std::string kind;  // "error", "warning", "information", "modal"
    std::string message;
  };
  void QueueAnswer(int answer) { answers_.push_back(answer); }
  // Answers modal questions when no answer is queued (the program asks on
  // its terminal): message, button texts, default button; the answer is the
  // 1-based button number.
  using Asker = std::function<int(const std::string&, const std::vector<std::string>&, int)>;
  void SetAsker(Asker asker) { asker_ = std::move(asker); }
  void SetEcho(bool echo) { echo_ = echo; }
  int Ask(const std::string& message, int defaultButton, const std::vector<std::string>& buttons = {});
  void Show(const std::string& kind, const std::string& message);
  const std::vector<Shown>& History() const { return shown_; }
  void Clear() { shown_.clear(); }

  // Progress bars: cancel once a bar reaches this position (tests), and draw
  // bars on the terminal (the program).
  void CancelProgressAt(int position) { cancelAt_ = position; }
  int CancelAt() const { return cancelAt_; }
  void SetDrawProgress(bool draw) { drawProgress_ = draw; }
  bool DrawProgress() const { return drawProgress_; }

private:
  std::deque<int> answers_;
  Asker asker_;
  std::vector<Shown> shown_;
  bool echo_ = false;
  int cancelAt_ = -1;
  bool drawProgress_ = false;
};
