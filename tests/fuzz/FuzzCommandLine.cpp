// The command line, as a frontend or a desktop may give it: the two-character dispatch and
// the options parser. Each input is a list of arguments separated by NUL bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/linux/Options.h"
#include "startup/modMain.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  modMain::NormaliseCommandText(text);
  modMain::ParsePreviewHandle(text);
  modMain::ChoosesAMode(text);

  std::vector<std::string> args;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\0') {
      args.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  const ParsedCommandLine parsed = ParseCommandLine(args, nullptr);
  if (parsed.outcome == ParsedCommandLine::Outcome::Exit && parsed.exitCode == 2 &&
      parsed.error.empty()) {
    __builtin_trap();  // a refused command line always says why
  }
  return 0;
}
