// The text of an INI file, kept line by line so that a change touches only the lines it must:
// comments, blank lines, unknown keys and other sections come back byte for byte.
//
// Section and key names match without regard to letter case, as the per-user stores of
// other desktops do. When a section appears twice, the first one is read and written, so a
// save always lands where the next load looks.
#pragma once

#include <optional>
#include <string>
#include <vector>

class IniText {
 public:
  IniText() = default;
  explicit IniText(const std::string& text);

  // The value of `key` in `section`, blanks around it removed; nullopt when either is missing.
  std::optional<std::string> Get(const std::string& section, const std::string& key) const;

  // Sets `key` in `section`, adding the key or the section when missing.
  void Set(const std::string& section, const std::string& key, const std::string& value);

  std::string Text() const;

 private:
  struct Line {
    std::string text;     // without its end of line
    bool carriageReturn;  // the line ended in "\r\n"
  };
  std::optional<size_t> SectionHeader(const std::string& section) const;
  std::optional<size_t> KeyLine(size_t header, const std::string& key) const;
  size_t SectionEnd(size_t header) const;  // one past its last key line

  std::vector<Line> lines_;
  bool final_newline_ = true;
};
