#pragma once
// CTDbException: the object database's precondition and engine errors.
// Its message is "CTDbException: " followed by the text of its code.

#include <stdexcept>
#include <string>

namespace aw {

enum CTDbExceptionCode : int
{
  excRecNotFound = 0,
  excRecNotInDB = 1,
  excRecAlreadyInDB = 2,
  excRelRequired = 3,
  excOneToOne = 4,
  excDbStructure = 5,
  excTypeError = 6,
  excBinUpdFailed = 7,
  excCapable = 8,
  excNotCapable = 9,
  excIsAbstract = 10,
  excNoEngines = 11,
  excReadOnly = 12,
  excIDUsed = 13,
};

class CTDbException : public std::runtime_error
{
public:
  CTDbException(int nCode, const std::string& szExtra);

  int Code() const { return v_code; }
  // What went wrong, without the class prefix of what().
  const std::string& Reason() const { return v_reason; }

  // The text of a code with its extra information, without the class prefix.
  static std::string CodeText(int nCode, const std::string& szExtra);
  [[noreturn]] static void RaiseExc(int nCode, const std::string& szExtra = {});

private:
  int v_code;
  std::string v_reason;
};

} // namespace aw
