#pragma once
// Every message box of the program goes through the current UserPrompts, so
// that tests put a recorder in its place and never wait on a modal dialog.

#include <QString>

namespace aw::app {

class UserPrompts
{
public:
  virtual ~UserPrompts() = default;

  // A plain message with an OK button, titled with the application's title.
  virtual void ShowMessage(const QString& szText) = 0;

  // The message boxes, unless a test has put other prompts in their place.
  static UserPrompts& Current();
};

// Puts other prompts in place for the lifetime of this object.
class ScopedUserPrompts
{
public:
  explicit ScopedUserPrompts(UserPrompts& prompts);
  ~ScopedUserPrompts();
  ScopedUserPrompts(const ScopedUserPrompts&) = delete;
  ScopedUserPrompts& operator=(const ScopedUserPrompts&) = delete;

private:
  UserPrompts* v_previous;
};

} // namespace aw::app
