#include "headless/application/AlertPolicy.h"
#include "headless/application/Application.h"
#include "host/CAlert.h"
#include "host/ProgressBar.h"
#include <iostream>

int AlertPolicy::Ask(const std::string& message, int defaultButton, const std::vector<std::string>& buttons) {
  Show("modal", message);
  if (answers_.empty()) return asker_ ? asker_(message, buttons, defaultButton) : defaultButton;
  int answer = answers_.front();
  answers_.pop_front();
  return answer;
}

void AlertPolicy::Show(const std::string& kind, const std::string& message) {
  shown_.push_back({kind, message});
  if (echo_) std::cerr << "xref: " << kind << ": " << message << "\n";
}

namespace {
AlertPolicy* Policy() {
  Application* app = Application::Current();
  return app ? &app->Alerts() : nullptr;
}

std::string Text(const PMString& message) {
  PMString m = message;
  m.Translate();
  return m.GetUTF8String();
}
}  // namespace

void CAlert::ErrorAlert(const PMString& message) {
  if (AlertPolicy* p = Policy()) p->Show("error", Text(message));
}

void CAlert::WarningAlert(const PMString& message) {
  if (AlertPolicy* p = Policy()) p->Show("warning", Text(message));
}

void CAlert::InformationAlert(const PMString& message) {
  if (AlertPolicy* p = Policy()) p->Show("information", Text(message));
}

int16 CAlert::ModalAlert(const PMString& message, const PMString& button1, const PMString& button2,
                         const PMString& button3, int16 defaultButton) {
  AlertPolicy* p = Policy();
  if (!p) return defaultButton;
  std::vector<std::string> buttons;
  for (const PMString* b : {&button1, &button2, &button3})
    if (!b->IsEmpty()) buttons.push_back(Text(*b));
  return static_cast<int16>(p->Ask(Text(message), defaultButton, buttons));
}

struct RangeProgressBar::State {
  std::string title;
  int32 min, max, position;
  bool cancellable, cancelled = false, drawn = false;
};

RangeProgressBar::RangeProgressBar(const PMString& title, int32 min, int32 max, bool16 cancellable)
    : state_(new State{Text(title), min, max, min, cancellable != 0}) {}

RangeProgressBar::~RangeProgressBar() {
  if (state_->drawn) std::cerr << "\n";
}

void RangeProgressBar::SetPosition(int32 position) {
  State& s = *state_;
  s.position = position;
  AlertPolicy* p = Policy();
  if (!p) return;
  if (s.cancellable && p->CancelAt() >= 0 && position >= p->CancelAt()) s.cancelled = true;
  if (!p->DrawProgress()) return;
  int32 span = s.max > s.min ? s.max - s.min : 1;
  int32 filled = (position - s.min) * 30 / span;
  if (filled < 0) filled = 0;
  if (filled > 30) filled = 30;
  std::cerr << "\r" << s.title << " [" << std::string(static_cast<size_t>(filled), '#')
            << std::string(static_cast<size_t>(30 - filled), ' ') << "] " << (position - s.min) << "/" << span;
  s.drawn = true;
}

void RangeProgressBar::SetTaskText(const PMString& text) { state_->title = Text(text); }

bool16 RangeProgressBar::WasCancelled() const { return state_->cancelled; }
