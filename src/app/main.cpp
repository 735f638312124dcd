// airwright: the Qt program. The window and the start-up live in aw_app.
#include <QApplication>

int main(int argc, char** argv)
{
  QApplication app(argc, argv);
  QApplication::setApplicationName("Airwright");
  return 0;
}
