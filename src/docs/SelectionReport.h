#pragma once
// The report of the picked unit: numbered sections with the blocks of the
// selection view (inputs, results, options, commissioning settings,
// technical data, capacities, air states), the charts and graphs as
// pictures, and page headers and footers with the maker's and the
// distributor's logos and address and the page number. The composition
// writes to any document writer; the texts it needs from the glossary and
// the pictures it cannot draw itself are handed in.

#include "docs/DocOutput.h"
#include "engine/SelectionView.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace aw::platform {
class SettingsStore;
}

namespace aw::docs {

// Numbered messages and the interface translation.
class CTReportTexts
{
public:
  virtual ~CTReportTexts() = default;
  virtual std::string Message(int nMsgNo, const std::vector<std::string>& params = {}) const = 0;
  virtual std::string Translate(std::string_view szEnglish) const = 0;
};

// The pictures of the report; none where there is nothing to show.
class CTReportPictures
{
public:
  virtual ~CTReportPictures() = default;
  // The psychrometric or Mollier chart of the mode, whichever is chosen.
  virtual std::shared_ptr<const CTDocPicture> Chart(bool bCooling) = 0;
  virtual std::shared_ptr<const CTDocPicture> FanGraph() = 0;
  virtual std::shared_ptr<const CTDocPicture> EfficiencyGraph() = 0;
  virtual std::shared_ptr<const CTDocPicture> CorrectionGraph() = 0;
  virtual std::shared_ptr<const CTDocPicture> ConfigurationDrawing() = 0;
  // A picture resource of the program ("TALOLogo"), and a picture file.
  virtual std::shared_ptr<const CTDocPicture> ResourcePicture(std::string_view szName) = 0;
  virtual std::shared_ptr<const CTDocPicture> FilePicture(const std::string& szFile) = 0;
};

// The distributor's address lines and logo, kept under the maker's settings key.
struct CTDistributorSettings
{
  static constexpr int kMaxLogoWidth = 590, kMaxLogoHeight = 236; // px
  static constexpr int kMsgLogoTooLarge = 41;

  std::array<std::string, 3> lines;
  std::string szLogoFile;

  // Missing values read as empty.
  static CTDistributorSettings Load(const platform::SettingsStore& store);
  // The lines are stored trimmed; false when the settings could not be written.
  bool Save(platform::SettingsStore& store) const;
  static bool LogoFits(int nWidth, int nHeight) { return nWidth <= kMaxLogoWidth && nHeight <= kMaxLogoHeight; }
};

// The maker's lines the about box shows, printed in the centre of the footer.
const std::vector<std::string>& MakerLines();

// The header zones (maker's logo, distributor's logo, distributor logo
// resource) and the footer (distributor address, maker's lines, page number,
// the notice of message 14 above them).
std::shared_ptr<CTDecorationDefinition> ReportDecorations(const CTDistributorSettings& distributor,
                                                          const CTReportTexts& texts, CTReportPictures& pictures);

class CTSelectionReport
{
public:
  CTSelectionReport(CTDocOutput& output, const CTSelectionView& view, const CTReportTexts& texts,
                    CTReportPictures& pictures);

  // Page setup, decorations and every section in order.
  void Write(std::shared_ptr<const CTDecorationDefinition> decorations);

  // The block's title in bold on the title background over two columns at
  // (nColumn, nRow), then one row per pair: the caption, and the value
  // right-aligned in the next column. Answers the row after the block.
  // Captions are translated unless they come translated (bTranslate false).
  int PutBlock(int nColumn, int nRow, const CTViewBlock& block, bool bTranslate = true);
  // A numbered heading; with the unit, followed by "Selected ventilation device: ...".
  void PutSectionHeading(int nMsgNo, bool bWithDevice);

private:
  void NewTable(int nColumns);
  void WriteTable(bool bEmptyParagraph);
  void TitleCell(int nColumn, int nRow, const std::string& szText, int nSpan);
  int PutBlocks(int nColumn, int nRow, const std::vector<CTViewBlock>& blocks, bool bTranslate = true);
  void ModeCaptions();
  void WriteSpecification();
  void WriteSelectionData();
  bool WriteOptions();
  void WriteOptionDetails(const std::vector<CTViewOption>& options);
  void WriteCommissioning();
  void WriteTechnicalData();
  void WriteCapacities();
  void WritePsychrometrics();
  void WriteGraph(int nMsgNo, const std::shared_ptr<const CTDocPicture>& picture);
  void WritePicture(const std::shared_ptr<const CTDocPicture>& picture);
  std::string Tr(std::string_view szEnglish) const { return v_texts.Translate(szEnglish); }

  CTDocOutput& v_out;
  const CTSelectionView& v_view;
  const CTReportTexts& v_texts;
  CTReportPictures& v_pictures;
  CTDocTable v_table;
};

} // namespace aw::docs
