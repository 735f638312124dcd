#pragma once
// What the main window's project commands read and write: the inputs of the
// window as a project file. The project-file module puts its own store in
// place; tests put a recorder there.

#include <QString>

namespace aw::app {

class ProjectStore
{
public:
  virtual ~ProjectStore() = default;
  // Writes the inputs to the file; false (after telling the user) when it failed.
  virtual bool SaveProject(const QString& szFileName) = 0;
  // Reads the inputs from the file; false (after telling the user) when it failed.
  virtual bool OpenProject(const QString& szFileName) = 0;
  // Puts every input back to its start value and runs a first selection.
  virtual void InitialiseInputs() = 0;
};

} // namespace aw::app
