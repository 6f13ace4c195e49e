#pragma once
// A progress bar over a range of steps, optionally cancellable by the user.
#include "PMString.h"
#include <memory>

class RangeProgressBar {
public:
  RangeProgressBar(const PMString& title, int32 min, int32 max, bool16 cancellable = false);
  ~RangeProgressBar();
  void SetPosition(int32 position);
  void SetTaskText(const PMString& text);
  bool16 WasCancelled() const;

private:
  struct State;
  std::unique_ptr<State> state_;
};
