#include "air/TypedValue.h"

#include "air/NumberFormat.h"
#include "platform/CaseFolding.h"

#include <cctype>

namespace aw {

std::string NormalisedUnit(std::string_view szCaption)
{
  std::string out;
  for (std::size_t i = 0; i < szCaption.size(); ++i) {
    const std::string_view rest = szCaption.substr(i);
    if (rest.starts_with("³")) {
      out += '3';
      i += std::string_view("³").size() - 1;
    } else if (rest.starts_with("²")) {
      out += '2';
      i += std::string_view("²").size() - 1;
    } else if (rest.starts_with("°")) {
      i += std::string_view("°").size() - 1;
    } else if (szCaption[i] != ' ') {
      out += platform::FoldAscii(szCaption[i]);
    }
  }
  return out;
}

CTTypedValue ParseTypedValue(std::string_view szText, U_RepUnit TheUnit)
{
  std::size_t end = 0;
  if (end < szText.size() && (szText[end] == '-' || szText[end] == '+'))
    ++end;
  while (end < szText.size() && (std::isdigit(static_cast<unsigned char>(szText[end])) || szText[end] == '.'))
    ++end;
  const std::optional<double> number = ParseNumber(szText.substr(0, end));
  if (!number)
    return {0, 0, TypedValueFault::NoNumber};
  const std::string unit = NormalisedUnit(szText.substr(end));
  if (unit.empty())
    return {*number, 0, TypedValueFault::None};
  for (int index = 0; index < TU_Form::DimensionCount(TheUnit); ++index)
    if (NormalisedUnit(TU_Form::GetSpecificString(TheUnit, index)) == unit)
      return {*number, index, TypedValueFault::None};
  return {*number, 0, TypedValueFault::UnknownUnit};
}

std::string KnownUnits(U_RepUnit TheUnit)
{
  std::string known;
  for (int index = 0; index < TU_Form::DimensionCount(TheUnit); ++index)
    known += (index ? ", " : "") + TU_Form::GetSpecificString(TheUnit, index);
  return known;
}

} // namespace aw
