#pragma once
// Small text and number helpers of the catalogue entities, and the numbered
// program texts they show (units, frequencies, captions). The texts are
// English here; the message layer installs a source that translates them.

#include <functional>
#include <string>
#include <string_view>

namespace aw::catalogue {

// Removes leading and trailing blanks and control characters (bytes 0 to 32).
std::string Trim(std::string_view sz);

// Nearest integer, a value exactly halfway going to the even neighbour.
double RoundHalfEven(double x);
int RoundToInt(double x);

// Numbers of the program texts the catalogue uses.
enum CatalogueMessage : int
{
  msg50Hz = 17,
  msg50_60Hz = 18,
  msg60Hz = 19,
  msgSeasonalEfficiencyPath = 26,
  msgFamilyCorvane = 78,
  msgFamilyAHU = 88,
  msgFamilyWendrix = 94,
  msgFamilyPelmarMF = 95,
  msgFamilyPlugAndPlay = 98,
  msgPhases = 109,
  msgFamilyBrisa = 114,
  msgFamilyDorsa = 115,
  msgIndoorUnit = 117,
  msgIncorrectDbVersion = 5014,
};

// The text of a numbered message: the installed source's, else the English one.
std::string MessageText(int nMsgNo);
// Installs the source of the texts (the message layer); an empty source restores English.
void SetMessageTextSource(std::function<std::string(int nMsgNo)> pSource);

} // namespace aw::catalogue
