#include "i18n/UninstallReport.h"

#include "i18n/BaseMsgMan.h"

#include <gtest/gtest.h>

namespace aw::i18n {
namespace {

// Success is claimed only when nothing of the program is left, and never for
// the installed package, which the package manager removes.
TEST(UninstallReportTest, SuccessOnlyWhenNothingIsLeft)
{
  RegisterProgramMessages();
  platform::DesktopRemoval all;
  all.removed = {"/d/applications/airwright.desktop"};
  platform::DesktopRemoval partly = all;
  partly.left = {"/d/mime/packages/airwright.xml: Permission denied"};
  const std::string szPackage = "The installed program stays: remove it as it was installed (apt remove airwright for the package).";

  const struct
  {
    const char* szCase;
    platform::DesktopRemoval removal;
    bool bFromPackage;
    bool bComplete;
    std::vector<std::string> lines;
  } cases[] = {
    {"all removed", all, false, true,
     {"Airwright is successfully uninstalled.", "Removed: /d/applications/airwright.desktop"}},
    {"nothing was there", {}, false, true, {"Airwright is successfully uninstalled."}},
    {"a file stays", partly, false, false,
     {"Airwright is not completely uninstalled.", "Removed: /d/applications/airwright.desktop",
      "Not removed: /d/mime/packages/airwright.xml: Permission denied"}},
    {"from the package", all, true, false,
     {"Airwright is not completely uninstalled.", "Removed: /d/applications/airwright.desktop", szPackage}},
  };
  for (const auto& c : cases) {
    const UninstallReport report = DescribeUninstall(c.removal, c.bFromPackage);
    EXPECT_EQ(report.bComplete, c.bComplete) << c.szCase;
    EXPECT_EQ(report.lines, c.lines) << c.szCase;
  }
}

} // namespace
} // namespace aw::i18n
