#include "TestApplication.h"

#include <QApplication>

#include <cstdlib>

namespace aw::test {

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
