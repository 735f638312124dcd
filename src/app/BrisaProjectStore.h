#pragma once
// The main window's project files: SaveProject writes the selection the
// window shows, OpenProject puts a read project into it. Failures are shown
// as error dialogs and change nothing.

#include "app/ProjectStore.h"

namespace aw::app {

class TDlgSelect;

class BrisaProjectStore : public ProjectStore
{
public:
  explicit BrisaProjectStore(TDlgSelect& window) : v_window(window) {}
  bool SaveProject(const QString& szFileName) override;
  bool OpenProject(const QString& szFileName) override;
  // The window initialises its own model.
  void InitialiseInputs() override {}

private:
  TDlgSelect& v_window;
};

} // namespace aw::app
