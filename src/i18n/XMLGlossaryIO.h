#pragma once
// Glossary files: a spreadsheet workbook (XML Spreadsheet 2003) with one
// worksheet of two columns, the English term and its translation, whose first
// row names the target language (its id and English name). Translators edit
// such a file in a spreadsheet program and the program reads it back, so the
// reader is a real XML parser that accepts what spreadsheet programs write:
// everything on one line, other prefixes for the same namespaces, extra
// styles and attributes, skipped cells, CR LF or LF.

#include "i18n/UnicodeGlossary.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace aw::i18n {

class CTXMLGlossaryIO
{
public:
  virtual ~CTXMLGlossaryIO() = default;

  // Appends the file's bytes for the glossary to out.
  virtual void SaveGlossary(std::string& out, const CTUnicodeGlossary& glossary, bool bSaveChangedDate) const = 0;
  // Adds the entries of the bytes to the glossary and takes its header. All or
  // nothing: when the bytes cannot be read as a whole, the glossary stays as it
  // was and szError says why and where ("line 3, column 14: ...").
  virtual bool LoadGlossary(std::string_view bytes, CTUnicodeGlossary& glossary, std::string& szError) const = 0;

  // Writes the file atomically and remembers its name in the glossary.
  bool SaveGlossaryToFile(const std::filesystem::path& file, CTUnicodeGlossary& glossary, bool bSaveChangedDate,
                          std::string& szError) const;
  // Reads the file into the glossary; szError names the file and the place.
  bool LoadGlossaryFromFile(const std::filesystem::path& file, CTUnicodeGlossary& glossary,
                            std::string& szError) const;
};

class CTExcelXMLGlossaryIO : public CTXMLGlossaryIO
{
public:
  void SaveGlossary(std::string& out, const CTUnicodeGlossary& glossary, bool bSaveChangedDate) const override;
  bool LoadGlossary(std::string_view bytes, CTUnicodeGlossary& glossary, std::string& szError) const override;

  // The workbook prologue with the worksheet and table openings, and the
  // closing lines (cell text is escaped with CTExcelXML2003::XMLSafeString).
  static void WriteStart(std::string& out, int nColumns, int nRows, const std::vector<std::string>& extraStyles = {});
  static void WriteEnd(std::string& out);
};

} // namespace aw::i18n
