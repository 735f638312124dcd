#include "db/DbException.h"

namespace aw {

CTDbException::CTDbException(int nCode, const std::string& szExtra)
  : std::runtime_error("CTDbException: " + CodeText(nCode, szExtra)), v_code(nCode), v_reason(CodeText(nCode, szExtra))
{
}

std::string CTDbException::CodeText(int nCode, const std::string& szExtra)
{
  switch (nCode) {
  case excRecNotFound: return "Record not found";
  case excRecNotInDB: return "Record not stored in database";
  case excRecAlreadyInDB: return "The record is already inserted into the database";
  case excRelRequired: return "Related record required in table " + szExtra;
  case excOneToOne: return "1-to-1 relation with table " + szExtra;
  case excDbStructure: return "Error in database structure ";
  case excTypeError: return "Invalid type conversion";
  case excBinUpdFailed: return "Update of binary field failed";
  case excCapable: return "Database has the capability '" + szExtra + "'";
  case excNotCapable: return "Database does not have the capability '" + szExtra + "'";
  case excIsAbstract: return "Cannot make instance of abstract table '" + szExtra + "'";
  case excNoEngines: return "There are no registed CTDbEngine classes";
  case excReadOnly: return "Database table '" + szExtra + "' is read-only";
  case excIDUsed: return "ID " + szExtra + " is already used";
  default: return "Unknown exception code " + std::to_string(nCode);
  }
}

void CTDbException::RaiseExc(int nCode, const std::string& szExtra)
{
  throw CTDbException(nCode, szExtra);
}

} // namespace aw
