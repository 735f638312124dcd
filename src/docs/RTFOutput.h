#pragma once
// The RTF writer: streams the document flow as Rich Text Format into
// memory in one forward pass. Nothing is written until the first output,
// which writes the header (fonts, colours, styles, list table, page setup,
// header and footer); Finish closes the document and hands over its bytes.
// The writer never touches a file, so nothing can fail on destruction.

#include "docs/DocOutput.h"

#include <string>
#include <string_view>
#include <vector>

namespace aw::docs {

class CTRTFOutput : public CTDocOutput
{
public:
  CTRTFOutput();

  // Extends the colour table (before the first output).
  void AddColor(DocColor color);
  void SetLanguageId(int nLangId) { v_langId = nLangId; }

  void TextStyle(const std::string& szText, FontStyles extraStyles, DocColor color, int nTabIndex) override;
  void TextWriteln() override;
  void TextLeft(const std::string& szText, FontStyles extraStyles = 0, DocColor color = kWindowTextColor) override;
  void TextCenter(const std::string& szText, FontStyles extraStyles = 0, DocColor color = kWindowTextColor) override;
  void TextRight(const std::string& szText, FontStyles extraStyles = 0, DocColor color = kWindowTextColor) override;
  void NewPage() override;
  void TextHeading(DocFontRole role, const std::string& szText, bool bIndexEntry) override;
  void PutDocTable(CTDocTable& table) override;
  void PutGraphic(double dScale, const CTDocPicture& picture, HorAlign align, bool bAddNewLine) override;

  // Closes the document (a document without output is still complete) and
  // answers its bytes; later output is ignored.
  std::string Finish();

private:
  // Byte output: control words are ASCII; document text goes through
  // WriteText only.
  void WriteRaw(std::string_view s);
  void WriteLine(std::string_view s);
  void WriteText(std::string_view szUtf8);
  // Groups that hold text: a destination group (header, footer) starts a
  // scope in which "\uc0" has not been said yet, because readers do not
  // carry it over from the document.
  void BeginGroup(std::string_view szWords, bool bDestination = false);
  void EndGroup();

  bool Writable();
  void WriteHeader();
  void WriteFontTable();
  void WriteColorTable();
  void WriteStyleSheet();
  void WriteListTable();
  void WritePageSetup();
  void WriteStyleProps(DocFontRole role, bool bNumbered);
  void WriteFontProps(const CTDocFont& font);
  void WriteRun(const CTDocFont& font, const std::string& szText, int nTabIndex);
  void WriteAlignedParagraph(std::string_view szAlign, const std::string& szText, FontStyles extraStyles, DocColor color);
  void WriteTableRow(const CTDocTable& table, int nRow, const std::vector<int>& rightEdges);
  void WriteCellContents(const CTDocTable& table, int nColumn, int nRow);
  void WriteHeaderFooter(bool bTop);
  void WriteZoneTable(const std::vector<CTPageZone>& zones, bool bTop, int nUsableWidth);
  void WriteZone(const CTPageZone& zone, int nMaxWidthTwips);
  void WritePicture(double dScale, const CTDocPicture& picture, HorAlign align, bool bAddNewLine, int nMaxWidthTwips);
  int ColorNumber(DocColor color) const; // position + 1, 0 (automatic) when not in the table
  int HalfPoints() const { return Font(DocFontRole::Normal).sizePt * 2; }

  std::string v_out;
  std::vector<DocColor> v_colors;
  std::vector<bool> v_unicodeSkipSaid; // per open group
  CTHeadingNumbers v_headingNumbers;
  int v_langId = 1033;
  bool v_initialized = false;
  bool v_finished = false;
  bool v_haveText = false;
  bool v_afterTable = false;
};

} // namespace aw::docs
