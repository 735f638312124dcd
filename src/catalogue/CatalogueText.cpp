#include "catalogue/CatalogueText.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace aw::catalogue {

namespace {

std::function<std::string(int)>& TextSource()
{
  static std::function<std::string(int)> source;
  return source;
}

std::string EnglishText(int nMsgNo)
{
  switch (nMsgNo) {
  case msg50Hz: return "50Hz";
  case msg50_60Hz: return "50/60Hz";
  case msg60Hz: return "60Hz";
  case msgSeasonalEfficiencyPath: return "about/korvath-innovations/seasonal-efficiency.html";
  case msgFamilyCorvane: return "Corvane";
  case msgFamilyAHU: return "AHU";
  case msgFamilyWendrix: return "Wendrix";
  case msgFamilyPelmarMF: return "Pelmar-MF";
  case msgFamilyPlugAndPlay: return "Plug and Play";
  case msgPhases: return "ph";
  case msgFamilyBrisa: return "Brisa";
  case msgFamilyDorsa: return "Dorsa";
  case msgIndoorUnit: return "Indoor unit";
  case msgIncorrectDbVersion: return "Incorrect version of database '$1'.";
  default: return {};
  }
}

bool IsBlank(char c)
{
  return static_cast<unsigned char>(c) <= 32;
}

} // namespace

std::string Trim(std::string_view sz)
{
  std::size_t first = 0, last = sz.size();
  while (first < last && IsBlank(sz[first]))
    ++first;
  while (last > first && IsBlank(sz[last - 1]))
    --last;
  return std::string(sz.substr(first, last - first));
}

double RoundHalfEven(double x)
{
  // The rounding mode of the process is never changed, but do not rely on it.
  const int saved = std::fegetround();
  std::fesetround(FE_TONEAREST);
  const double rounded = std::nearbyint(x);
  std::fesetround(saved);
  return rounded;
}

int RoundToInt(double x)
{
  // Out-of-range and undefined values must not reach the conversion.
  const double rounded = RoundHalfEven(x);
  if (!(rounded >= -2147483648.0))
    return std::numeric_limits<int>::min();
  if (rounded > 2147483647.0)
    return std::numeric_limits<int>::max();
  return static_cast<int>(rounded);
}

std::string MessageText(int nMsgNo)
{
  if (TextSource()) {
    std::string text = TextSource()(nMsgNo);
    if (!text.empty())
      return text;
  }
  return EnglishText(nMsgNo);
}

void SetMessageTextSource(std::function<std::string(int nMsgNo)> pSource)
{
  TextSource() = std::move(pSource);
}

} // namespace aw::catalogue
