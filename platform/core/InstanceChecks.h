// How start-up tells whether this program already runs: each platform answers from what it
// has (marker locks on Linux; the window list and a named mutex on Windows).
#pragma once

#include <string>

class InstanceChecks {
 public:
  virtual ~InstanceChecks() = default;
  // True when a window of this program bears exactly `caption`, in any copy, this one too.
  virtual bool WindowWithCaptionExists(const std::string& caption) = 0;
  // True when another copy of this program runs for this user, in any mode.
  virtual bool PrevInstance() = 0;
};
