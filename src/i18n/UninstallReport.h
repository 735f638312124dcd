#pragma once
// What the uninstall tells the user: whether the program is gone, each file
// it removed, and each it could not remove with the reason.

#include "platform/DesktopIntegration.h"

#include <string>
#include <vector>

namespace aw::i18n {

struct UninstallReport
{
  bool bComplete = false; // nothing of the program is left
  std::vector<std::string> lines;
};

// bFromPackage: the program runs from the installed package, which only the
// package manager removes, so the program is never "successfully uninstalled".
UninstallReport DescribeUninstall(const platform::DesktopRemoval& removal, bool bFromPackage);

} // namespace aw::i18n
