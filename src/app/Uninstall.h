#pragma once
// "airwright --uninstall": the question, the removal of what the program
// wrote for the user, and the account of it.

#include <QStringList>

#include <filesystem>

class QWidget;

namespace aw::app {

// The command-line rules of platform/DesktopIntegration over Qt's arguments
// (without the program name).
bool IsUninstallRequest(const QStringList& arguments);
bool IsDeletingCopyRequest(const QStringList& arguments);

// Asks message 75; on Yes removes the user's desktop files below dataHome and
// tells what was removed and what was left. Nothing is removed on No.
void RunUninstall(QWidget* parent, const std::filesystem::path& dataHome, const std::filesystem::path& programFile);

} // namespace aw::app
