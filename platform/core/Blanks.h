// Text without the blanks (spaces and tabs) around it: how the settings file and the command
// line are read.
#pragma once

#include <string>

inline std::string TrimBlanks(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}
