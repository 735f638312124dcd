#pragma once
// Small queries over loaded catalogue objects, shared by the suites that
// look into the demonstration catalogue.

#include "catalogue/ClBrisaData.h"
#include "catalogue/ClPolynomial.h"

#include <algorithm>
#include <vector>

namespace aw::test {

// The units of one family, ascending by maximum airflow.
inline std::vector<Cls_BrisaData*> UnitsOfFamily(const ObjectList<Cls_BrisaData>& units, int nCode)
{
  std::vector<Cls_BrisaData*> family;
  for (Cls_BrisaData* unit : units)
    if (unit->GetType() == nCode)
      family.push_back(unit);
  std::sort(family.begin(), family.end(), [](auto* a, auto* b) { return a->GetMaxAirflow() < b->GetMaxAirflow(); });
  return family;
}

// The curves of one type.
inline std::vector<Cls_BrisaPolynomial*> CurvesOfType(const ObjectList<Cls_BrisaPolynomial>& curves, int nType)
{
  std::vector<Cls_BrisaPolynomial*> found;
  for (Cls_BrisaPolynomial* c : curves)
    if (c->GetType() == nType)
      found.push_back(c);
  return found;
}

} // namespace aw::test
