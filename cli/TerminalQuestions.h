#pragma once
// Who answers the host's modal questions in the program: the user on a
// terminal, `--yes` (the first button), or else the question's default.
#include "headless/application/Application.h"
#include <iosfwd>

// Questions are asked on `out` and answered by a line read from `in`: a
// button's number or name (any case, or its first letter), an empty line
// taking the default.
void AskOn(Application& app, std::istream& in, std::ostream& out);
void AnswerYes(Application& app);
