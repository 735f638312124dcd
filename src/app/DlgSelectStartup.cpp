// The start-up sequence of the main window, in the order the program starts.
// Each row names the module that does the work; a module that is not built yet
// is StartupSequence::Pending. When a module arrives, its row calls it in place.

#include "app/DlgSelect.h"

namespace aw::app {

void TDlgSelect::BuildStartupSequence()
{
  using S = StartupSequence;
  StartupSequence& s = v_startup;

  // Desktop integration. A deleting copy of an uninstall (step 2) is never
  // started on this platform, so that stage has nothing to find.
  s.Add(1, "uninstall request", "desktop integration", [] { return S::Pending(); });
  s.Add(2, "self-deletion of an uninstall", "desktop integration", [] { return StageResult::Continue(); });
  s.Add(3, "project file type", "desktop integration", [] { return S::Pending(); });
  s.Add(4, "program-group shortcuts", "desktop integration", [] { return S::Pending(); });
  s.Add(5, "uninstall entry", "desktop integration", [] { return S::Pending(); });
  s.Add(6, "translation hook, fonts and hints", "message dialogs", [] { return S::Pending(); });

  // The catalogue.
  s.Add(7, "database engines", "object database", [] { return S::Pending(); });
  s.Add(8, "catalogue factory", "device catalogue", [] { return S::Pending(); });
  s.Add(9, "catalogue glossary", "translation", [] { return S::Pending(); });
  // The settings roots are constants (platform/SettingsRoots.h), there before any stage.
  s.Add(10, "settings roots", "settings store", [] { return StageResult::Continue(); });
  s.Add(11, "locale check", "languages and countries", [] { return S::Pending(); });
  s.Add(12, "catalogue connection", "object database", [] { return S::Pending(); });
  s.Add(13, "online-services configuration check", "online services", [] { return S::Pending(); });
  s.Add(14, "database version check", "device catalogue", [] { return S::Pending(); });
  s.Add(15, "run identifier", "device catalogue", [] { return S::Pending(); });
  s.Add(16, "online-services start-up and disclaimer", "online services", [] { return S::Pending(); });

  // The window and the units.
  s.Add(17, "window size", "main window", [] { return S::Pending(); });
  s.Add(18, "imperial units", "units of measure", [] { return S::Pending(); });
  s.Add(19, "graph and chart reset", "graph pages", [] { return S::Pending(); });
  s.Add(20, "window caption", "main window", [] { return S::Pending(); });
  s.Add(21, "filter lists", "input panels", [] { return S::Pending(); });

  // The catalogue's lists and the first selection.
  s.Add(22, "current unit and air states", "selection", [] { return S::Pending(); });
  s.Add(23, "units and family list", "selection", [] { return S::Pending(); });
  s.Add(24, "documentation and option lists", "device catalogue", [] { return S::Pending(); });
  s.Add(25, "family cache", "device catalogue", [] { return S::Pending(); });
  s.Add(26, "preferences", "preferences", [] { return S::Pending(); });
  s.Add(27, "enthalpy offset", "main window", [] { return S::Pending(); });
  s.Add(28, "inputs and first selection", "selection", [] { return S::Pending(); });
  s.Add(29, "ratio correction", "ratio corrections", [] { return S::Pending(); });
  s.Add(30, "efficiency-correction graph", "graph pages", [] { return S::Pending(); });
  s.Add(31, "recent-file list", "recent files", [] { return S::Pending(); });
  s.Add(32, "project named on the command line", "project files", [] { return S::Pending(); });
  s.Add(33, "standards notice", "reports", [] { return S::Pending(); });
  s.Add(34, "page layout", "main window", [] { return S::Pending(); });
  s.Add(35, "project unchanged", "main window", [this] {
    v_dataHaveChanged = false;
    return StageResult::Continue();
  });
}

} // namespace aw::app
