#pragma once
// Gathers what the Database page shows of a unit from the catalogue: its
// documentation, standard power supply, supply speed and options. It only
// reads stored values; it makes no choice of its own.

#include "app/DatabasePage.h"

namespace aw {
class Cls_Brisa;
}

namespace aw::app {

// pUnit: a picked solution (its supply speed is the one shown) or a catalogue unit.
DatabasePageData GetDatabaseData(Cls_Brisa& pUnit);

} // namespace aw::app
