#pragma once
// Why a format is not valid, in words for the program's output.
#include <string>

// Empty when the format is valid; otherwise the unknown escape with its
// position, or the parser's message. Needs a running session.
std::string InvalidFormatReason(const std::string& utf8);
