#include "platform/core/IniText.h"

#include "platform/core/Blanks.h"

#include <algorithm>
#include <cctype>

namespace {

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

bool IsComment(const std::string& trimmed) {
  return !trimmed.empty() && (trimmed[0] == ';' || trimmed[0] == '#');
}

// "[name]" gives name; anything else nullopt.
std::optional<std::string> HeaderName(const std::string& line) {
  const std::string t = TrimBlanks(line);
  if (t.size() < 2 || t.front() != '[' || t.back() != ']') return std::nullopt;
  return TrimBlanks(t.substr(1, t.size() - 2));
}

// "key = value" gives the position of '='; comments and other lines nullopt.
std::optional<size_t> EqualsSign(const std::string& line) {
  if (IsComment(TrimBlanks(line))) return std::nullopt;
  const size_t eq = line.find('=');
  if (eq == std::string::npos) return std::nullopt;
  return eq;
}

}  // namespace

IniText::IniText(const std::string& text) {
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    final_newline_ = end != std::string::npos;
    if (!final_newline_) end = text.size();
    std::string line = text.substr(at, end - at);
    const bool cr = !line.empty() && line.back() == '\r';
    if (cr) line.pop_back();
    lines_.push_back({line, cr});
    at = end + 1;
  }
}

std::optional<size_t> IniText::SectionHeader(const std::string& section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    const auto name = HeaderName(lines_[i].text);
    if (name && SameName(*name, section)) return i;
  }
  return std::nullopt;
}

std::optional<size_t> IniText::KeyLine(size_t header, const std::string& key) const {
  for (size_t i = header + 1; i < lines_.size() && !HeaderName(lines_[i].text); ++i) {
    const auto eq = EqualsSign(lines_[i].text);
    if (eq && SameName(TrimBlanks(lines_[i].text.substr(0, *eq)), key)) return i;
  }
  return std::nullopt;
}

size_t IniText::SectionEnd(size_t header) const {
  size_t end = header + 1;
  for (size_t i = header + 1; i < lines_.size() && !HeaderName(lines_[i].text); ++i) {
    if (EqualsSign(lines_[i].text)) end = i + 1;
  }
  return end;
}

std::optional<std::string> IniText::Get(const std::string& section, const std::string& key) const {
  const auto header = SectionHeader(section);
  if (!header) return std::nullopt;
  const auto line = KeyLine(*header, key);
  if (!line) return std::nullopt;
  const std::string& text = lines_[*line].text;
  return TrimBlanks(text.substr(*EqualsSign(text) + 1));
}

void IniText::Set(const std::string& section, const std::string& key, const std::string& value) {
  auto header = SectionHeader(section);
  if (!header) {
    if (!lines_.empty() && !TrimBlanks(lines_.back().text).empty()) lines_.push_back({"", false});
    lines_.push_back({"[" + section + "]", false});
    header = lines_.size() - 1;
  }
  if (const auto line = KeyLine(*header, key)) {
    // The key keeps its spelling and its blanks; only the value changes.
    std::string& text = lines_[*line].text;
    const size_t eq = *EqualsSign(text);
    const size_t valueStart = std::min(text.find_first_not_of(" \t", eq + 1), text.size());
    text = text.substr(0, valueStart) + value;
    return;
  }
  const size_t end = SectionEnd(*header);
  const bool cr = lines_[*header].carriageReturn;
  lines_.insert(lines_.begin() + std::ptrdiff_t(end), Line{key + "=" + value, cr});
  if (end == lines_.size() - 1) final_newline_ = true;
}

std::string IniText::Text() const {
  std::string out;
  for (size_t i = 0; i < lines_.size(); ++i) {
    out += lines_[i].text;
    if (lines_[i].carriageReturn) out += '\r';
    if (i + 1 < lines_.size() || final_newline_) out += '\n';
  }
  return out;
}
