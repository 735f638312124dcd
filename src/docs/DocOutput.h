#pragma once
// The document writer interface: a forward flow of headings, styled text
// runs, paragraphs, page breaks, tables and pictures, written once and
// rendered by each concrete writer (RTF, PDF). Fonts, page geometry and the
// decorations are set before the first output.

#include "docs/DocPicture.h"
#include "docs/DocTable.h"
#include "docs/DocTypes.h"
#include "docs/PageDecorations.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace aw::docs {

// The paragraph fonts; a font's position is its style number.
enum class DocFontRole { Normal, Heading0, Heading1, Heading2, Heading3, Heading4, Title, SubTitle };
inline constexpr int kNbFontRoles = 8;

// Paper and margins in twips, converted from centimetres as round(cm × 1440 / 2.54).
struct CTPageGeometry
{
  int paperW = 0, paperH = 0, marginL = 0, marginR = 0, marginT = 0, marginB = 0;

  static CTPageGeometry FromCentimetres(double dPaperW, double dPaperH, double dMarginL, double dMarginR, double dMarginT, double dMarginB);
  static int CmToTwips(double dCm);
  // Paper width less the margins; a margin of 0 (not given) counts as 1797 twips.
  int UsableWidth() const;
};

class CTDocOutput
{
public:
  CTDocOutput();
  virtual ~CTDocOutput() = default;
  CTDocOutput(const CTDocOutput&) = delete;
  CTDocOutput& operator=(const CTDocOutput&) = delete;

  void SetFont(DocFontRole role, const CTDocFont& font); // also adds its face to the face list
  const CTDocFont& Font(DocFontRole role) const { return v_fonts[std::size_t(role)]; }
  const std::vector<std::string>& FontNames() const { return v_fontNames; }
  void AddFontName(const std::string& szName); // case-insensitive, without duplicates
  int FontNumber(const std::string& szName) const; // -1 when not in the list

  void SetPageGeometry(const CTPageGeometry& geometry) { v_page = geometry; }
  const CTPageGeometry& PageGeometry() const { return v_page; }
  void SetDecorations(std::shared_ptr<const CTDecorationDefinition> decorations) { v_decorations = std::move(decorations); }

  // A run in the normal font plus extra styles, in a colour, after
  // nTabIndex tabs; runs continue the current paragraph.
  virtual void TextStyle(const std::string& szText, FontStyles extraStyles, DocColor color, int nTabIndex) = 0;
  void TextWrite(const std::string& szText) { TextStyle(szText, 0, kWindowTextColor, 0); }
  virtual void TextWriteln() = 0; // ends the paragraph
  // A whole paragraph with one run in the given alignment.
  virtual void TextLeft(const std::string& szText, FontStyles extraStyles = 0, DocColor color = kWindowTextColor) = 0;
  virtual void TextCenter(const std::string& szText, FontStyles extraStyles = 0, DocColor color = kWindowTextColor) = 0;
  virtual void TextRight(const std::string& szText, FontStyles extraStyles = 0, DocColor color = kWindowTextColor) = 0;
  virtual void NewPage() = 0;
  // A heading paragraph in a heading, title or subtitle font; numbered
  // headings (bIndexEntry) are counted per outline level.
  virtual void TextHeading(DocFontRole role, const std::string& szText, bool bIndexEntry) = 0;
  void TextTitle(const std::string& szText) { TextHeading(DocFontRole::Title, szText, false); }
  void TextSubTitle(const std::string& szText) { TextHeading(DocFontRole::SubTitle, szText, false); }
  // The caller has not necessarily measured the table; writers do.
  virtual void PutDocTable(CTDocTable& table) = 0;
  // A picture at dScale times its logical size, in its own paragraph when
  // bAddNewLine; a picture wider than the usable width is scaled to fit.
  virtual void PutGraphic(double dScale, const CTDocPicture& picture, HorAlign align, bool bAddNewLine) = 0;

  // Whether a heading role is counted and at which outline level (0 for
  // heading 0 and heading 1, then one per heading); -1 for title and subtitle.
  static int OutlineLevel(DocFontRole role);

protected:
  std::shared_ptr<const CTDecorationDefinition> v_decorations;

private:
  std::array<CTDocFont, kNbFontRoles> v_fonts;
  std::vector<std::string> v_fontNames;
  CTPageGeometry v_page;
};

} // namespace aw::docs

namespace aw::docs {

// The numbers of numbered headings per outline level ("1.", "1.1.", ...):
// a heading resets the counts of the levels below it.
class CTHeadingNumbers
{
public:
  std::string Next(int nLevel);

private:
  std::array<int, 9> v_counts{};
};

} // namespace aw::docs
