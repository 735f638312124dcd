#include "app/ProgramEntry.h"

#include "app/DlgSelect.h"
#include "app/UnattendedPrompts.h"
#include "app/Uninstall.h"
#include "app/UserPrompts.h"
#include "app/InterfaceLanguage.h"
#include "catalogue/CatalogueSession.h"
#include "i18n/BaseMsgMan.h"
#include "platform/DesktopIntegration.h"
#include "platform/Resources.h"
#include "platform/SingleInstance.h"

#include <QApplication>
#include <QBuffer>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>

#include <cstdlib>
#include <cstring>
#include <iostream>

namespace aw::app {
namespace {

bool EnvironmentSet(const char* szName)
{
  const char* value = std::getenv(szName);
  return value && *value;
}

} // namespace

std::optional<QString> TakeScreenshotOption(QStringList& arguments)
{
  const qsizetype at = arguments.indexOf(QStringLiteral("--screenshots"));
  if (at < 0)
    return std::nullopt;
  QString folder = at + 1 < arguments.size() ? arguments[at + 1] : QString();
  arguments.remove(at, at + 1 < arguments.size() ? 2 : 1);
  return folder;
}

// "--catalogue FILE" on the command line, else the environment's
// AIRWRIGHT_CATALOGUE: a catalogue file to use instead of the embedded one.
// Nothing (with the reason on stderr) when the option names no file; the
// file itself is read, and refused with its message, by the start-up.
std::optional<CTCatalogueSource> TakeCatalogueOption(QStringList& arguments)
{
  QString file = qEnvironmentVariable("AIRWRIGHT_CATALOGUE");
  const qsizetype at = arguments.indexOf(QStringLiteral("--catalogue"));
  if (at >= 0) {
    file = at + 1 < arguments.size() ? arguments[at + 1] : QString();
    arguments.remove(at, at + 1 < arguments.size() ? 2 : 1);
    if (file.isEmpty()) {
      std::cerr << "airwright: --catalogue needs a file\n";
      return std::nullopt;
    }
  }
  return file.isEmpty() ? CTCatalogueSource::Embedded() : CTCatalogueSource::File(file.toStdString());
}

QIcon ProgramIcon()
{
  QIcon carried;
  if (const auto bytes = platform::Resources::Find(platform::kIconResource)) {
    QByteArray svg(reinterpret_cast<const char*>(bytes->data()), static_cast<qsizetype>(bytes->size()));
    QBuffer buffer(&svg);
    QImageReader reader(&buffer, "svg");
    // Drawn large once; the icon scales it down for each use.
    reader.setScaledSize(QSize(256, 256));
    const QImage image = reader.read();
    if (!image.isNull())
      carried.addPixmap(QPixmap::fromImage(image));
  }
  return QIcon::fromTheme(QStringLiteral("airwright"), carried);
}

bool DisplayAvailable(int argc, char** argv)
{
  if (EnvironmentSet("DISPLAY") || EnvironmentSet("WAYLAND_DISPLAY") || EnvironmentSet("QT_QPA_PLATFORM"))
    return true;
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
      return true;
  return false;
}

QString SecondInstanceMessage(const QStringList& arguments)
{
  return IsUninstallRequest(arguments) ? QStringLiteral("Airwright is running on this machine, cannot uninstall")
                                       : QStringLiteral("Airwright is already running on this machine");
}

bool EnterSingleInstance(platform::SingleInstanceLock& lock, const QStringList& arguments, UserPrompts& prompts)
{
  switch (lock.TryAcquire()) {
  case platform::SingleInstanceLock::Outcome::Acquired:
    return true;
  case platform::SingleInstanceLock::Outcome::HeldElsewhere:
    prompts.ShowMessage(SecondInstanceMessage(arguments));
    return false;
  case platform::SingleInstanceLock::Outcome::Unavailable:
    std::cerr << "airwright: " << lock.Error() << "; a second instance cannot be detected.\n";
    return true;
  }
  return true;
}

int RunProgram(int argc, char** argv)
{
  if (!DisplayAvailable(argc, argv)) {
    std::cerr << "airwright: there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set), so the window "
                 "cannot open.\nThe same jobs run without a display with the command-line front: "
                 "airwright-cli --help\n";
    return 1;
  }

  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Airwright"));
  // Ties the windows to the desktop entry (its icon and name in the shell).
  QGuiApplication::setDesktopFileName(QStringLiteral("airwright"));
  QApplication::setWindowIcon(ProgramIcon());
  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  const std::optional<QString> screenshotFolder = TakeScreenshotOption(arguments);
  if (screenshotFolder && screenshotFolder->isEmpty()) {
    std::cerr << "airwright: --screenshots needs a folder\n";
    return 2;
  }
  // Nobody answers dialogs in screenshot mode: messages go to stderr instead.
  UnattendedPrompts unattended;
  std::optional<ScopedUserPrompts> noUser;
  if (screenshotFolder) {
    i18n::RegisterProgramMessages();
    noUser.emplace(unattended);
  }
  const std::optional<CTCatalogueSource> catalogue = TakeCatalogueOption(arguments);
  if (!catalogue || !TakeLanguageOption(arguments))
    return 2;
  // Another platform's uninstall starts a copy of the program with these to
  // delete a file; here that copy is never started, so they only come from
  // someone else's command line and are refused.
  if (IsDeletingCopyRequest(arguments)) {
    std::cerr << "airwright: the arguments PID: and EXE: of a deleting copy are not accepted; nothing was deleted\n";
    return 2;
  }

  // Declared before the window, so that it is released after the window has gone.
  platform::SingleInstanceLock instanceLock;
  if (!EnterSingleInstance(instanceLock, arguments, UserPrompts::Current()))
    return 0;

  // The program's numbered messages, before any window.
  i18n::RegisterProgramMessages();
  TDlgSelect window(arguments);
  window.UseCatalogueSource(*catalogue);
  if (screenshotFolder) {
    std::optional<int> stopped;
    QObject::connect(&window, &TDlgSelect::StartupStopped, [&stopped](int nExitCode) { stopped = nExitCode; });
    window.show();
    window.RunStartup();
    if (stopped)
      return *stopped;
    // A project named for the pictures must be what they show.
    if (!arguments.isEmpty() && window.GetProjectFileName() != arguments.first()) {
      std::cerr << "airwright: the project " << arguments.first().toStdString() << " could not be opened\n";
      return 1;
    }
    return window.SaveScreenshots(*screenshotFolder) ? 0 : 1;
  }
  QObject::connect(&window, &TDlgSelect::StartupStopped, &application,
                   [](int nExitCode) { QCoreApplication::exit(nExitCode); });
  window.show();
  return QApplication::exec();
}

} // namespace aw::app
