// The icons that dialogs show: the program's icon (resource 102 of rimforge.rc) and the eight
// colour swatches 111..118, plain squares of their colour drawn when first asked for.
#pragma once

#include <windows.h>

#include <map>

namespace hosts::win32 {

class Icons {
 public:
  explicit Icons(HINSTANCE instance) : instance_(instance) {}
  ~Icons();
  Icons(const Icons&) = delete;
  Icons& operator=(const Icons&) = delete;

  // Null for a resource that is neither.
  HICON Get(int icon_resource);

 private:
  HINSTANCE instance_;
  std::map<int, HICON> made_;
};

}  // namespace hosts::win32
