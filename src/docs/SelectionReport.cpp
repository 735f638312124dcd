#include "docs/SelectionReport.h"

#include "catalogue/ClDocumentation.h"
#include "platform/SettingsRoots.h"
#include "platform/SettingsStore.h"

namespace aw::docs {
namespace {

enum : int {
  kMsgNotice = 14,
  kMsgPage = 15,
  kMsgStandardData = 24,
  kMsgEcodesign = 25,
  kMsgCommissioning = 79,
  kMsgConfiguration = 80,
  kMsgTechnicalData = 83,
  kMsgCorrectedEfficiency = 86,
  kMsgEfficiency = 87,
  kMsgExhaust = 89,
  kMsgExhaustFanCurve = 91,
  kMsgFanCharacteristics = 92,
  kMsgFanMode = 93,
  kMsgSelectedOptions = 96,
  kMsgOptionName = 97,
  kMsgPsychroDiagram = 99,
  kMsgPsychroPoints = 100,
  kMsgSelectedDevice = 102,
  kMsgSelectionData = 103,
  kMsgFanSpeedSetting = 104,
  kMsgFreshUp = 105,
  kMsgFanOperation = 106,
  kMsgControllerSettings = 107,
  kMsgVentilationSetting = 108,
  kMsgSpecification = 110,
  kMsgSupply = 111,
  kMsgSupplyFanCurve = 113,
  kMsgDesignToolParameters = 116,
};

constexpr DocColor kLinkBlue = 0xFF0000u; // blue in 0x00BBGGRR
constexpr const char* kDisLine[] = {"DisLine1", "DisLine2", "DisLine3"};
constexpr const char* kDisLogo = "DisLogo";

std::string Trim(const std::string& s)
{
  const std::size_t first = s.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

// The air states of a mode at their fixed places: RA, OA, VI, CI at the
// left, EA, SA, VO, HI at the right, six rows apart.
struct StatePlace
{
  int nColumn, nRow;
};
constexpr StatePlace kStatePlaces[] = {{0, 1}, {0, 7}, {2, 1}, {2, 7}, {0, 13}, {2, 13}, {0, 19}, {2, 19}};

} // namespace

CTDistributorSettings CTDistributorSettings::Load(const platform::SettingsStore& store)
{
  CTDistributorSettings settings;
  for (std::size_t i = 0; i < settings.lines.size(); ++i)
    settings.lines[i] = store.ReadString(platform::kMakerRoot, kDisLine[i]).value_or("");
  settings.szLogoFile = store.ReadString(platform::kMakerRoot, kDisLogo).value_or("");
  return settings;
}

bool CTDistributorSettings::Save(platform::SettingsStore& store) const
{
  bool ok = true;
  for (std::size_t i = 0; i < lines.size(); ++i) ok = store.WriteString(platform::kMakerRoot, kDisLine[i], Trim(lines[i])) && ok;
  return store.WriteString(platform::kMakerRoot, kDisLogo, szLogoFile) && ok;
}

const std::vector<std::string>& MakerLines()
{
  static const std::vector<std::string> lines{"Korvath", "Heat recovery ventilation", "www.korvath.com"};
  return lines;
}

std::shared_ptr<CTDecorationDefinition> ReportDecorations(const CTDistributorSettings& distributor,
                                                          const CTReportTexts& texts, CTReportPictures& pictures)
{
  auto def = std::make_shared<CTDecorationDefinition>();
  def->v_mustPrintFooterLine = true;
  def->v_footerLine = texts.Message(kMsgNotice);
  def->AddTopZone(CTPictureZone{pictures.ResourcePicture("TALOLogo")});
  def->AddTopZone(CTPictureZone{distributor.szLogoFile.empty() ? nullptr : pictures.FilePicture(distributor.szLogoFile)});
  def->AddTopZone(CTPictureZone{pictures.ResourcePicture("DistribLogo")});
  def->AddBottomZone(CTTextZone{{distributor.lines.begin(), distributor.lines.end()}});
  def->AddBottomZone(CTTextZone{MakerLines()});
  def->AddBottomZone(CTPageNrZone{texts.Message(kMsgPage)});
  return def;
}

CTSelectionReport::CTSelectionReport(CTDocOutput& output, const CTSelectionView& view, const CTReportTexts& texts,
                                     CTReportPictures& pictures)
  : v_out(output), v_view(view), v_texts(texts), v_pictures(pictures)
{
}

void CTSelectionReport::NewTable(int nColumns)
{
  v_table.InitDimensions(nColumns, 1, 0, 0, true);
}

void CTSelectionReport::WriteTable(bool bEmptyParagraph)
{
  v_table.CalculatePixelSizes(0);
  v_out.PutDocTable(v_table);
  if (bEmptyParagraph) v_out.TextWriteln();
}

void CTSelectionReport::TitleCell(int nColumn, int nRow, const std::string& szText, int nSpan)
{
  v_table.SetText(nColumn, nRow, " " + szText, kBold);
  v_table.SetBgColor(nColumn, nRow, v_table.v_titleRowDefaults.bgColor);
  v_table.SetColumnSpan(nColumn, nRow, nSpan);
}

int CTSelectionReport::PutBlock(int nColumn, int nRow, const CTViewBlock& block, bool bTranslate)
{
  const auto caption = [&](const std::string& s) { return bTranslate ? Tr(s) : s; };
  TitleCell(nColumn, nRow++, caption(block.szTitle), 2);
  for (const CTViewPair& pair : block.pairs) {
    v_table.SetText(nColumn, nRow, " " + caption(pair.szLabel));
    v_table.SetText(nColumn + 1, nRow, pair.szValue);
    v_table.SetHorAlign(nColumn + 1, nRow, HorAlign::Right);
    ++nRow;
  }
  return nRow;
}

int CTSelectionReport::PutBlocks(int nColumn, int nRow, const std::vector<CTViewBlock>& blocks, bool bTranslate)
{
  for (const CTViewBlock& block : blocks) nRow = PutBlock(nColumn, nRow, block, bTranslate);
  return nRow;
}

void CTSelectionReport::PutSectionHeading(int nMsgNo, bool bWithDevice)
{
  v_out.TextHeading(DocFontRole::Heading1, v_texts.Message(nMsgNo), true);
  if (!bWithDevice) return;
  v_out.TextWriteln();
  v_out.TextLeft(v_texts.Message(kMsgSelectedDevice, {v_view.UnitName()}), kBold);
  v_out.TextWriteln();
  v_out.TextWriteln();
}

// The captions of the cooling and heating columns in row 0, centred.
void CTSelectionReport::ModeCaptions()
{
  TitleCell(0, 0, Tr("Cooling"), 2);
  TitleCell(2, 0, Tr("Heating"), 2);
  v_table.SetForRow(&CTDocTable::SetHorAlign, 0, HorAlign::Center);
}

void CTSelectionReport::Write(std::shared_ptr<const CTDecorationDefinition> decorations)
{
  v_out.SetPageGeometry(CTPageGeometry::FromCentimetres(21.0, 29.7, 2.5, 1.5, 1.5, 1.5));
  v_out.SetDecorations(std::move(decorations));
  const bool exchanger = v_view.UnitType() == 0 || v_view.UnitType() == 1;
  WriteSpecification();
  WriteSelectionData();
  v_out.NewPage();
  const bool options = WriteOptions();
  const bool commissioning = v_view.UnitType() != 2;
  if (commissioning) WriteCommissioning();
  if (options && commissioning) v_out.NewPage();
  WriteTechnicalData();
  v_out.NewPage();
  WriteCapacities();
  WritePsychrometrics();
  WriteGraph(kMsgFanCharacteristics, v_pictures.FanGraph());
  if (!exchanger) return;
  WriteGraph(kMsgEfficiency, v_pictures.EfficiencyGraph());
  WriteGraph(kMsgCorrectedEfficiency, v_pictures.CorrectionGraph());
  WriteGraph(kMsgConfiguration, v_pictures.ConfigurationDrawing());
}

void CTSelectionReport::WriteSpecification()
{
  PutSectionHeading(kMsgSpecification, true);
  if (v_view.IsFCSeries()) {
    v_out.TextWrite(v_texts.Message(kMsgStandardData) + " " + v_texts.Message(kMsgEcodesign, {""}));
    v_out.TextStyle(Cls_BrisaDocumentation::WebLinkForBrisaFC(), kUnderline, kLinkBlue, 0);
    v_out.TextWrite(".");
    v_out.TextWriteln();
    v_out.TextWriteln();
  }
  NewTable(2);
  int row = 0;
  if (const std::optional<std::string> upsideDown = v_view.UpsideDownCaption())
    row = PutBlock(0, row, CTViewBlock{*upsideDown, {}});
  row = PutBlocks(0, row, {v_view.RoomAirflow(), v_view.Esp(), v_view.Altitude()});
  WriteTable(true);

  NewTable(4);
  ModeCaptions();
  for (const bool cooling : {true, false}) {
    const CTConditionBlocks c = v_view.Conditions(cooling);
    const int column = cooling ? 0 : 2;
    int r = PutBlocks(column, 1, {c.RA, c.OA});
    if (c.Discharge) r = PutBlock(column, r, *c.Discharge);
    if (c.Heaters) PutBlock(column, r, *c.Heaters);
  }
  WriteTable(true);
}

void CTSelectionReport::WriteSelectionData()
{
  PutSectionHeading(kMsgSelectionData, false);
  NewTable(2);
  PutBlocks(0, 0, v_view.PressureBlocks());
  WriteTable(true);
  NewTable(4);
  ModeCaptions();
  PutBlocks(0, 1, v_view.Results(true));
  PutBlocks(2, 1, v_view.Results(false));
  WriteTable(false);
}

bool CTSelectionReport::WriteOptions()
{
  const std::vector<CTViewOption> options = v_view.UsedOptions();
  if (options.empty()) return false;
  v_out.TextHeading(DocFontRole::Heading1, v_texts.Message(kMsgSelectedOptions), true);
  NewTable(3);
  TitleCell(0, 0, v_texts.Message(kMsgOptionName), 1);
  TitleCell(1, 0, Tr("Type"), 1);
  TitleCell(2, 0, Tr("Description"), 1);
  int row = 1;
  for (const CTViewOption& option : options) {
    v_table.SetText(0, row, " " + option.szName);
    v_table.SetText(1, row, " " + Tr(option.szType));
    v_table.SetText(2, row, " " + option.szDescription);
    ++row;
  }
  WriteTable(false);
  WriteOptionDetails(options);
  return true;
}

// Sizes and electrical data of the options that have them.
void CTSelectionReport::WriteOptionDetails(const std::vector<CTViewOption>& options)
{
  for (const bool mechanical : {true, false}) {
    std::vector<const CTViewOption*> listed;
    for (const CTViewOption& option : options)
      if (!(mechanical ? option.szWHD : option.szMCA).empty()) listed.push_back(&option);
    if (listed.empty()) continue;
    v_out.TextWriteln();
    v_out.TextLeft(Tr(mechanical ? "Mechanical Data" : "Electrical Data"));
    v_out.TextWriteln();
    v_out.TextWriteln();
    NewTable(2);
    int row = 0;
    for (const CTViewOption* option : listed) {
      TitleCell(0, row, v_texts.Message(kMsgOptionName), 1);
      TitleCell(1, row, option->szPlainName, 1);
      ++row;
      v_table.SetText(0, row, " " + Tr(mechanical ? "W×H×D" : "MCA"));
      v_table.SetText(1, row, mechanical ? option->szWHD : option->szMCA);
      v_table.SetHorAlign(1, row, HorAlign::Right);
      ++row;
    }
    WriteTable(false);
  }
}

void CTSelectionReport::WriteCommissioning()
{
  PutSectionHeading(kMsgCommissioning, false);
  const CTViewCommissioning c = v_view.Commissioning();
  const auto message = [this](int nMsgNo) { return v_texts.Message(nMsgNo); };
  // Messages come in the user's language; the view's captions are translated here.
  CTViewBlock dampers{Tr(c.Dampers.szTitle), {}};
  for (const CTViewPair& pair : c.Dampers.pairs) dampers.Add(Tr(pair.szLabel), pair.szValue);
  std::vector<CTViewBlock> blocks;
  blocks.push_back({message(kMsgFanMode), {{message(kMsgSupply), c.szSupplySpeed}, {message(kMsgExhaust), c.szExhaustSpeed}}});
  blocks.push_back(std::move(dampers));
  for (const CTViewControllerSettings& controller : c.controllers) {
    CTViewBlock block{v_texts.Message(kMsgControllerSettings, {controller.szOptionName}), {}};
    for (const CTViewSetting& s : controller.settings) {
      block.Add(message(kMsgVentilationSetting), s.szVentilation);
      block.Add(message(kMsgFanSpeedSetting), s.szFanSpeed);
      block.Add(message(kMsgSupplyFanCurve), s.szSupplyFanCurve);
      block.Add(message(kMsgExhaustFanCurve), s.szExhaustFanCurve);
      block.Add(message(kMsgFreshUp), s.szFreshUp);
      block.Add(message(kMsgFanOperation), s.szFanOperation);
    }
    blocks.push_back(std::move(block));
  }
  NewTable(2);
  PutBlocks(0, 0, blocks, false);
  WriteTable(false);
}

void CTSelectionReport::WriteTechnicalData()
{
  v_out.TextHeading(DocFontRole::Heading1, v_texts.Message(kMsgTechnicalData), true);
  NewTable(4);
  PutBlocks(0, 0, v_view.TechnicalData(true));
  PutBlocks(2, 0, v_view.TechnicalData(false));
  WriteTable(false);
}

void CTSelectionReport::WriteCapacities()
{
  const auto capacities = v_view.Capacities();
  if (!capacities) return;
  PutSectionHeading(kMsgDesignToolParameters, false);
  NewTable(4);
  PutBlock(0, 0, capacities->first);
  PutBlock(2, 0, capacities->second);
  WriteTable(false);
}

void CTSelectionReport::WritePsychrometrics()
{
  PutSectionHeading(kMsgPsychroPoints, false);
  for (const bool cooling : {true, false}) {
    NewTable(4);
    TitleCell(0, 0, Tr(cooling ? "Cooling" : "Heating"), 4);
    v_table.SetHorAlign(0, 0, HorAlign::Center);
    const auto states = v_view.AirStates(cooling);
    for (std::size_t i = 0; i < states.size(); ++i)
      if (states[i]) PutBlock(kStatePlaces[i].nColumn, kStatePlaces[i].nRow, *states[i]);
    WriteTable(false);
  }
  v_out.NewPage();
  PutSectionHeading(kMsgPsychroDiagram, false);
  for (const bool cooling : {true, false}) {
    v_out.TextHeading(DocFontRole::Heading2, Tr(cooling ? "Cooling" : "Heating"), true);
    WritePicture(v_pictures.Chart(cooling));
  }
  v_out.NewPage();
}

void CTSelectionReport::WriteGraph(int nMsgNo, const std::shared_ptr<const CTDocPicture>& picture)
{
  PutSectionHeading(nMsgNo, false);
  WritePicture(picture);
}

void CTSelectionReport::WritePicture(const std::shared_ptr<const CTDocPicture>& picture)
{
  if (picture) v_out.PutGraphic(1.0, *picture, HorAlign::Left, true);
}

} // namespace aw::docs
