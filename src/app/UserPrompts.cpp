#include "app/UserPrompts.h"

#include <QApplication>
#include <QMessageBox>

namespace aw::app {
namespace {

class MessageBoxPrompts : public UserPrompts
{
public:
  void ShowMessage(const QString& szText) override
  {
    QMessageBox::information(nullptr, QApplication::applicationName(), szText);
  }
};

UserPrompts*& Installed()
{
  static UserPrompts* installed = nullptr;
  return installed;
}

} // namespace

UserPrompts& UserPrompts::Current()
{
  static MessageBoxPrompts messageBoxes;
  UserPrompts* installed = Installed();
  return installed ? *installed : messageBoxes;
}

ScopedUserPrompts::ScopedUserPrompts(UserPrompts& prompts) : v_previous(Installed())
{
  Installed() = &prompts;
}

ScopedUserPrompts::~ScopedUserPrompts()
{
  Installed() = v_previous;
}

} // namespace aw::app
