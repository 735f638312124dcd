#include "TestApplication.h"

#include "app/UnattendedPrompts.h"

#include <QApplication>

#include <cstdlib>

namespace aw::test {
namespace {

// No test may wait on a real dialog: from before main(), a prompt a test did
// not put in place answers as the unattended screenshot mode does.
app::UnattendedPrompts unattendedPrompts;
app::ScopedUserPrompts installedPrompts(unattendedPrompts);

} // namespace

QApplication& TestApplication()
{
  static int argc = 1;
  static char name[] = "test_app";
  static char* argv[] = {name, nullptr};
  static QApplication* application = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    auto* app = new QApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Airwright"));
    return app;
  }();
  return *application;
}

} // namespace aw::test
