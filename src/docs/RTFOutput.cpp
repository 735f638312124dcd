#include "docs/RTFOutput.h"

#include "docs/Utf8.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace aw::docs {
namespace {

constexpr DocColor kDefaultColors[] = {0x000000, 0xFF0000, 0xFFFF00, 0x008000, 0xFF00FF, 0x0000FF,
                                       0x00FFFF, 0xFFFFFF, 0x800000, 0x00FF00, 0x008080, 0x800080,
                                       0x000080, 0x808000, 0x808080, 0xC0C0C0, 0x4080FF, 0xE0E0E0};

constexpr const char* kSectionNumbering[] = {
  "{\\*\\pnseclvl1\\pnucrm\\pnstart1\\pnindent720\\pnhang{\\pntxta .}}",
  "{\\*\\pnseclvl2\\pnucltr\\pnstart1\\pnindent720\\pnhang{\\pntxta .}}",
  "{\\*\\pnseclvl3\\pndec\\pnstart1\\pnindent720\\pnhang{\\pntxta .}}",
  "{\\*\\pnseclvl4\\pnlcltr\\pnstart1\\pnindent720\\pnhang{\\pntxta )}}",
  "{\\*\\pnseclvl5\\pndec\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta )}}",
  "{\\*\\pnseclvl6\\pnlcltr\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta )}}",
  "{\\*\\pnseclvl7\\pnlcrm\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta )}}",
  "{\\*\\pnseclvl8\\pnlcltr\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta )}}",
  "{\\*\\pnseclvl9\\pnlcrm\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta )}}",
};

// Indents of the nine list levels: first-line indent, left indent, tab stop.
constexpr int kListIndents[9][3] = {{-360, 360, 360},    {-432, 792, 1080},   {-504, 1224, 1800},
                                    {-648, 1728, 2160},  {-792, 2232, 2880},  {-936, 2736, 3600},
                                    {-1080, 3240, 4320}, {-1224, 3744, 4680}, {-1440, 4320, 5400}};

std::string Hex2(int n)
{
  static constexpr char kDigits[] = "0123456789abcdef";
  return {kDigits[(n >> 4) & 15], kDigits[n & 15]};
}

std::string UnicodeEscape(char32_t unit) { return "\\u" + std::to_string(int(std::int16_t(std::uint16_t(unit)))) + " "; }

bool NeedsEscape(char32_t c) { return c == '\\' || c == '{' || c == '}' || (c >= 0x80 && c < 0xA0) || c > 0xFF; }

// The pixel size a PNG states in its header; false when the bytes are no PNG.
bool PngSize(const std::string& png, int& nWidth, int& nHeight)
{
  static constexpr unsigned char kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (png.size() < 24 || !std::equal(std::begin(kSignature), std::end(kSignature), png.begin(), [](unsigned char a, char b) { return a == static_cast<unsigned char>(b); }))
    return false;
  auto be32 = [&png](std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(png[at + i]);
    return v;
  };
  nWidth = int(be32(16));
  nHeight = int(be32(20));
  return nWidth > 0 && nHeight > 0;
}

std::string HexLines(const std::string& bytes)
{
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  hex.reserve(bytes.size() * 2 + bytes.size() / 32 + 2);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    hex.push_back(kDigits[b >> 4]);
    hex.push_back(kDigits[b & 15]);
    if ((i + 1) % 64 == 0 || i + 1 == bytes.size()) hex += "\r\n";
  }
  return hex;
}

std::string_view AlignWord(HorAlign align)
{
  switch (align) {
  case HorAlign::Right: return "\\qr ";
  case HorAlign::Center: return "\\qc ";
  default: return "\\ql ";
  }
}

std::string_view VerAlignWord(VerAlign align)
{
  switch (align) {
  case VerAlign::Bottom: return "\\clvertalb ";
  case VerAlign::Center: return "\\clvertalc ";
  default: return "\\clvertalt ";
  }
}

constexpr int PixelsToTwips(int nPixels) { return nPixels * kTwipsPerLogicalPixel; }

} // namespace

CTRTFOutput::CTRTFOutput() : v_colors(std::begin(kDefaultColors), std::end(kDefaultColors)) {}

void CTRTFOutput::AddColor(DocColor color)
{
  if (!v_initialized && ColorNumber(color) == 0) v_colors.push_back(color);
}

int CTRTFOutput::ColorNumber(DocColor color) const
{
  const auto it = std::find(v_colors.begin(), v_colors.end(), color);
  return it == v_colors.end() ? 0 : int(it - v_colors.begin()) + 1;
}

void CTRTFOutput::WriteRaw(std::string_view s) { v_out.append(s); }

void CTRTFOutput::WriteLine(std::string_view s)
{
  v_out.append(s);
  v_out.append("\r\n");
}

void CTRTFOutput::BeginGroup(std::string_view szWords, bool bDestination)
{
  const bool inherited = !v_unicodeSkipSaid.empty() && v_unicodeSkipSaid.back();
  v_unicodeSkipSaid.push_back(inherited && !bDestination);
  v_out.push_back('{');
  v_out.append(szWords);
}

void CTRTFOutput::EndGroup()
{
  if (!v_unicodeSkipSaid.empty()) v_unicodeSkipSaid.pop_back();
  v_out.push_back('}');
}

void CTRTFOutput::WriteText(std::string_view szUtf8)
{
  for (char32_t c : DecodeUtf8(szUtf8)) {
    if (c == '\r' || (c < 0x20 && c != '\n' && c != '\t')) continue;
    if (c == '\n') {
      WriteLine("\\par");
    } else if (c == '\t') {
      WriteRaw("\\tab ");
    } else if (!NeedsEscape(c)) {
      v_out.push_back(char(static_cast<unsigned char>(c)));
    } else {
      // Without "\uc0" in force a reader would drop the character after each escape.
      if (!v_unicodeSkipSaid.empty() && !v_unicodeSkipSaid.back()) {
        WriteRaw("\\uc0 ");
        v_unicodeSkipSaid.back() = true;
      }
      if (c > 0xFFFF) {
        WriteRaw(UnicodeEscape(0xD800 + ((c - 0x10000) >> 10)));
        WriteRaw(UnicodeEscape(0xDC00 + ((c - 0x10000) & 0x3FF)));
      } else {
        WriteRaw(UnicodeEscape(c));
      }
    }
  }
}

bool CTRTFOutput::Writable()
{
  if (v_finished) return false;
  if (!v_initialized) WriteHeader();
  return true;
}

std::string CTRTFOutput::Finish()
{
  if (v_finished) return {};
  Writable();
  EndGroup();
  WriteLine("");
  v_finished = true;
  return std::move(v_out);
}

void CTRTFOutput::WriteHeader()
{
  v_initialized = true;
  BeginGroup("\\rtf1\\ansi\\ansicpg1252\\uc0");
  v_unicodeSkipSaid.back() = true;
  WriteLine("");
  WriteLine("\\deff0\\deflang" + std::to_string(v_langId) + "\\deflangfe" + std::to_string(v_langId));
  WriteFontTable();
  WriteColorTable();
  WriteStyleSheet();
  WriteListTable();
  WritePageSetup();
  if (v_decorations && v_decorations->v_mustPrintDecorations) {
    WriteHeaderFooter(true);
    WriteHeaderFooter(false);
  }
  for (const char* line : kSectionNumbering) WriteLine(line);
}

void CTRTFOutput::WriteFontTable()
{
  WriteLine("{\\fonttbl");
  for (std::size_t i = 0; i < FontNames().size(); ++i)
    WriteLine("{\\f" + std::to_string(i) + "\\fnil\\fcharset0\\fprq0 " + FontNames()[i] + ";}");
  WriteLine("}");
}

void CTRTFOutput::WriteColorTable()
{
  WriteLine("{\\colortbl;");
  for (DocColor color : v_colors) {
    const DocColor c = ResolveColor(color);
    WriteLine("\\red" + std::to_string(RedOf(c)) + "\\green" + std::to_string(GreenOf(c)) + "\\blue" + std::to_string(BlueOf(c)) + ";");
  }
  WriteLine("}");
}

void CTRTFOutput::WriteStyleSheet()
{
  const std::string n = std::to_string(HalfPoints());
  WriteLine("{\\stylesheet");
  WriteLine("{\\nowidctlpar\\widctlpar\\adjustright \\fs" + n + "\\cgrid \\snext0 Normal;}");
  struct Style
  {
    DocFontRole role;
    bool numbered;
    const char* name;
  };
  static constexpr Style kStyles[] = {{DocFontRole::Heading0, true, "heading 1"}, {DocFontRole::Heading1, true, "heading 1"},
                                      {DocFontRole::Heading2, true, "heading 2"}, {DocFontRole::Heading3, true, "heading 3"},
                                      {DocFontRole::Heading4, true, "heading 4"}, {DocFontRole::Title, false, "heading 5"},
                                      {DocFontRole::SubTitle, false, "heading 6"}};
  for (const Style& style : kStyles) {
    WriteRaw("{");
    WriteStyleProps(style.role, style.numbered);
    WriteLine(std::string("\\sbasedon0 \\snext0 ") + style.name + ";}");
  }
  WriteLine("{\\*\\cs10 \\additive Default Paragraph Font;}");
  WriteLine("{\\s15\\nowidctlpar\\widctlpar \\fs" + n + "\\cgrid \\sbasedon0 \\snext15 header;}");
  WriteLine("{\\s16\\nowidctlpar\\widctlpar \\fs" + n + "\\cgrid \\sbasedon0 \\snext16 footer;}");
  WriteLine("{\\*\\cs17 \\additive \\sbasedon10 page number;}");
  WriteLine("}");
}

void CTRTFOutput::WriteListTable()
{
  WriteLine("{\\*\\listtable");
  WriteLine("{\\list\\listtemplateid67698719");
  for (int k = 1; k <= 9; ++k) {
    WriteLine("{\\listlevel\\levelnfc0\\leveljc0\\levelfollow0\\levelstartat1\\levelspace0\\levelindent0");
    std::string text = "{\\leveltext\\'" + Hex2(2 * k);
    std::string numbers = "{\\levelnumbers";
    for (int level = 0; level < k; ++level) {
      text += "\\'" + Hex2(level) + ".";
      numbers += "\\'" + Hex2(2 * level + 1);
    }
    const int* indent = kListIndents[k - 1];
    WriteLine(text + ";}");
    WriteLine(numbers + ";}\\fi" + std::to_string(indent[0]) + "\\li" + std::to_string(indent[1]) + "\\jclisttab\\tx" + std::to_string(indent[2]) + " }");
  }
  WriteLine("{\\listname ;}");
  WriteLine("\\listid1411465531");
  WriteLine("}");
  WriteLine("}");
  WriteLine("{\\*\\listoverridetable{\\listoverride\\listid1411465531\\listoverridecount0\\ls1}}");
}

void CTRTFOutput::WritePageSetup()
{
  const CTPageGeometry& page = PageGeometry();
  std::string line = "\\widowctrl\\ftnbj\\aenddoc\\formshade\\viewkind1\\viewscale100\\pgbrdrhead\\pgbrdrfoot";
  const std::pair<const char*, int> values[] = {{"\\paperw", page.paperW}, {"\\paperh", page.paperH}, {"\\margl", page.marginL},
                                                {"\\margr", page.marginR}, {"\\margt", page.marginT}, {"\\margb", page.marginB}};
  for (const auto& [word, value] : values)
    if (value != 0) line += word + std::to_string(value);
  WriteLine(line + "\\deftab283");
  WriteLine(" \\fet0\\sectd");
  WriteLine("\\noxlattoyen");
  if (page.paperH < page.paperW) WriteLine("\\lndscpsxn");
  WriteLine("\\linex0\\endnhere\\sectdefaultcl");
}

void CTRTFOutput::WriteStyleProps(DocFontRole role, bool bNumbered)
{
  const int position = int(role);
  std::string props = "\\s" + std::to_string(position) + "\\sb240\\sa60\\keepn\\nowidctlpar\\widctlpar";
  if (role == DocFontRole::Heading0 || role == DocFontRole::Heading1 || role == DocFontRole::Heading2) props += "\\tx567";
  if (role == DocFontRole::Heading3) props += "\\tx851";
  if (role == DocFontRole::Heading4) props += "\\tx1134";
  if (bNumbered) {
    const int depth = position - int(DocFontRole::Heading1);
    props += "\\ls1";
    if (depth > 0) props += "\\ilvl" + std::to_string(depth);
    props += "\\outlinelevel" + std::to_string(depth);
  }
  WriteRaw(props + "\\adjustright ");
  WriteFontProps(Font(role));
}

void CTRTFOutput::WriteFontProps(const CTDocFont& font)
{
  std::string props;
  if (font.styles & kBold) props += "\\b";
  if (font.styles & kItalic) props += "\\i";
  if (font.styles & kUnderline) props += "\\ul";
  if (font.styles & kStrikeOut) props += "\\strike";
  // A face missing from the font table falls back to the default font 0.
  const int face = std::max(FontNumber(font.name), 0);
  WriteRaw(props + "\\cf" + std::to_string(ColorNumber(font.color)) + "\\f" + std::to_string(face) + "\\fs" + std::to_string(font.sizePt * 2) + "\\cgrid ");
}

void CTRTFOutput::WriteRun(const CTDocFont& font, const std::string& szText, int nTabIndex)
{
  WriteFontProps(font);
  for (int i = 0; i < nTabIndex; ++i) WriteRaw("\\tab ");
  WriteText(szText);
  v_haveText = true;
  v_afterTable = false;
  if (font.styles & kBold) WriteRaw("\\b0 ");
  if (font.styles & kItalic) WriteRaw("\\i0 ");
  if (font.styles & kUnderline) WriteRaw("\\ul0 ");
  if (font.styles & kStrikeOut) WriteRaw("\\strike0 ");
}

void CTRTFOutput::TextStyle(const std::string& szText, FontStyles extraStyles, DocColor color, int nTabIndex)
{
  if (!Writable()) return;
  CTDocFont font = Font(DocFontRole::Normal);
  font.styles |= extraStyles;
  font.color = color;
  WriteRun(font, szText, nTabIndex);
}

void CTRTFOutput::TextWriteln()
{
  if (!Writable()) return;
  WriteLine("");
  WriteLine("\\par");
  v_haveText = false;
  v_afterTable = false;
}

void CTRTFOutput::WriteAlignedParagraph(std::string_view szAlign, const std::string& szText, FontStyles extraStyles, DocColor color)
{
  if (!Writable()) return;
  WriteRaw(szAlign);
  TextStyle(szText, extraStyles, color, 0);
  WriteLine(szAlign.empty() ? "\\par" : "\\par \\ql");
  v_haveText = false;
}

void CTRTFOutput::TextLeft(const std::string& szText, FontStyles extraStyles, DocColor color) { WriteAlignedParagraph("", szText, extraStyles, color); }
void CTRTFOutput::TextCenter(const std::string& szText, FontStyles extraStyles, DocColor color) { WriteAlignedParagraph("\\qc ", szText, extraStyles, color); }
void CTRTFOutput::TextRight(const std::string& szText, FontStyles extraStyles, DocColor color) { WriteAlignedParagraph("\\qr ", szText, extraStyles, color); }

void CTRTFOutput::NewPage()
{
  if (!Writable()) return;
  // Readers ignore a page break that directly follows a table row.
  if (v_afterTable) WriteLine("\\par");
  WriteLine("");
  WriteLine("\\page");
  v_haveText = false;
  v_afterTable = false;
}

void CTRTFOutput::TextHeading(DocFontRole role, const std::string& szText, bool bIndexEntry)
{
  if (!Writable()) return;
  const bool numbered = bIndexEntry && OutlineLevel(role) >= 0;
  if (v_haveText) WriteLine("\\par");
  if (numbered) {
    BeginGroup("\\listtext\\pard\\plain\\s" + std::to_string(int(role)));
    WriteLine("");
    WriteFontProps(Font(role));
    WriteLine("");
    WriteRaw("\\hich\\af1\\dbch\\af0\\loch\\f1 ");
    WriteText(v_headingNumbers.Next(OutlineLevel(role)));
    WriteLine("\\tab");
    EndGroup();
    WriteLine("");
  }
  WriteLine("\\pard\\plain");
  BeginGroup("");
  WriteLine("");
  WriteStyleProps(role, numbered);
  WriteText(szText);
  WriteLine("\\par");
  EndGroup();
  WriteLine("");
  v_haveText = false;
  v_afterTable = false;
}

void CTRTFOutput::PutDocTable(CTDocTable& table)
{
  if (!Writable()) return;
  if (v_haveText) TextWriteln();
  table.CalculatePixelSizes(0);
  // Column edges in twips; a table wider than the page is narrowed to fit.
  const int totalTwips = PixelsToTwips(table.GetTotalPixelWidth());
  const int usable = PageGeometry().paperW ? PageGeometry().UsableWidth() : totalTwips;
  std::vector<int> rightEdges;
  int edgePixels = 0;
  for (int c = 0; c < table.NbColumns(); ++c) {
    edgePixels += table.GetColumnWidth(c);
    const long long twips = PixelsToTwips(edgePixels);
    rightEdges.push_back(totalTwips > usable && totalTwips > 0 ? int(twips * usable / totalTwips) : int(twips));
  }
  for (int r = 0; r < table.NbRows(); ++r) WriteTableRow(table, r, rightEdges);
  v_afterTable = true;
}

void CTRTFOutput::WriteTableRow(const CTDocTable& table, int nRow, const std::vector<int>& rightEdges)
{
  WriteRaw("\\trowd \\trgaph20\\trrh" + std::to_string(PixelsToTwips(table.GetRowHeight(nRow)) - 50) + " ");
  WriteRaw("\\trpaddft3\\trpaddt40\\trpaddfb3\\trpaddb10\\trpaddfl3\\trpaddl20\\trpaddfr3\\trpaddr20 ");
  if (table.IsTitleRow(nRow)) WriteRaw("\\trhdr");
  WriteLine("");
  for (int c = 0; c < table.NbColumns(); c += table.GetColumnSpan(c, nRow)) {
    WriteRaw(VerAlignWord(table.GetVerAlign(c, nRow)));
    DocColor color = 0;
    const auto border = [&](bool drawn, const char* word) {
      if (drawn) WriteRaw(std::string(word) + "\\brdrs\\brdrw10\\brdrcf" + std::to_string(ColorNumber(color)) + " ");
    };
    border(table.HasTopBorderColor(c, nRow, color), "\\clbrdrt");
    border(table.HasBottomBorderColor(c, nRow, color), "\\clbrdrb");
    border(table.HasLeftBorderColor(c, nRow, color), "\\clbrdrl");
    border(table.HasRightBorderColor(c, nRow, color), "\\clbrdrr");
    const DocColor bg = ResolveColor(table.GetBgColor(c, nRow));
    if (bg == kWhite) WriteRaw("\\clcbpat0");
    else if (ColorNumber(bg)) WriteRaw("\\clcbpat" + std::to_string(ColorNumber(bg)));
    else WriteRaw("\\clshdng1000\\clcbpat0");
    WriteRaw(" \\cltxlrtb ");
    if (table.GetHorAlign(c, nRow) == HorAlign::Right) WriteRaw("\\clpadfr3\\clpadr40");
    WriteLine("\\cellx" + std::to_string(rightEdges[std::size_t(c + table.GetColumnSpan(c, nRow) - 1)]));
  }
  for (int c = 0; c < table.NbColumns(); c += table.GetColumnSpan(c, nRow)) WriteCellContents(table, c, nRow);
  WriteLine("\\row \\pard");
}

void CTRTFOutput::WriteCellContents(const CTDocTable& table, int nColumn, int nRow)
{
  const CTDocTableCell& cell = *table.Cell(nColumn, nRow);
  WriteRaw("\\pard \\intbl ");
  WriteRaw(AlignWord(table.GetHorAlign(nColumn, nRow)));
  if (cell.graphic && cell.graphicAboveText)
    WritePicture(cell.graphicScale, *cell.graphic, HorAlign::Left, cell.HasText(), PixelsToTwips(table.GetCellWidth(nColumn, nRow)));
  const CTDocFont font = table.CellFont(nColumn, nRow);
  for (std::size_t i = 0; i < cell.lines.size(); ++i) {
    if (i) TextWriteln();
    const CTDocTableLine& line = cell.lines[i];
    CTDocFont lineFont = font;
    lineFont.styles = line.attributes.fontStyles.value_or(font.styles);
    lineFont.color = line.attributes.fontColor.value_or(font.color);
    WriteRun(lineFont, line.text, 0);
  }
  if (cell.graphic && !cell.graphicAboveText)
    WritePicture(cell.graphicScale, *cell.graphic, HorAlign::Left, false, PixelsToTwips(table.GetCellWidth(nColumn, nRow)));
  v_haveText = false;
  WriteLine(" \\cell");
}

void CTRTFOutput::PutGraphic(double dScale, const CTDocPicture& picture, HorAlign align, bool bAddNewLine)
{
  if (!Writable()) return;
  WritePicture(dScale, picture, align, bAddNewLine, PageGeometry().UsableWidth());
}

void CTRTFOutput::WritePicture(double dScale, const CTDocPicture& picture, HorAlign align, bool bAddNewLine, int nMaxWidthTwips)
{
  if (picture.LogicalWidth() <= 0 || picture.LogicalHeight() <= 0 || dScale <= 0) return;
  double widthTwips = dScale * picture.LogicalWidth() * kTwipsPerLogicalPixel;
  double heightTwips = dScale * picture.LogicalHeight() * kTwipsPerLogicalPixel;
  if (nMaxWidthTwips > 0 && widthTwips > nMaxWidthTwips) {
    heightTwips *= nMaxWidthTwips / widthTwips;
    widthTwips = nMaxWidthTwips;
  }
  // Twice the screen resolution, so that the print stays sharp; the whole
  // picture is encoded before anything of it is written.
  const double renderScale = 2.0 * widthTwips / (double(picture.LogicalWidth()) * kTwipsPerLogicalPixel);
  const std::string png = picture.RenderPng(renderScale);
  int pixelW = 0, pixelH = 0;
  if (!PngSize(png, pixelW, pixelH)) return;
  const std::string_view prefix = align == HorAlign::Left ? "" : AlignWord(align);
  const std::string_view suffix = align == HorAlign::Left ? "" : " \\ql";
  std::string group(prefix);
  group += "{\\*\\shppict {\\pict \\pngblip\\picscalex100\\picscaley100\\picw" + std::to_string(pixelW) + "\\pich" + std::to_string(pixelH) +
           "\\picwgoal" + std::to_string(std::lround(widthTwips)) + "\\pichgoal" + std::to_string(std::lround(heightTwips)) + "\r\n";
  group += HexLines(png);
  group += "}}\r\n";
  if (bAddNewLine) group += "\\par" + std::string(suffix) + "\r\n";
  WriteRaw(group);
}

void CTRTFOutput::WriteHeaderFooter(bool bTop)
{
  const CTDecorationDefinition& def = *v_decorations;
  const std::vector<CTPageZone>& zones = bTop ? def.TopZones() : def.BottomZones();
  const bool printLine = bTop ? def.PrintsHeaderLine() : def.PrintsFooterLine();
  if (zones.empty() && !printLine) return;
  const int usable = PageGeometry().UsableWidth();
  BeginGroup(bTop ? "\\header" : "\\footer", true);
  WriteLine(std::string(" \\pard\\plain \\") + (bTop ? "s15" : "s16") + "\\nowidctlpar\\widctlpar \\fs" + std::to_string(HalfPoints()) + "\\cgrid");
  if (!bTop && printLine) {
    BeginGroup("\\fs" + std::to_string(std::lround(0.66 * HalfPoints())) + " ");
    WriteText(def.v_footerLine);
    WriteRaw(" \\par\\par");
    EndGroup();
    WriteLine("");
  }
  if (!zones.empty()) WriteZoneTable(zones, bTop, usable);
  if (bTop && printLine) {
    BeginGroup("\\fs" + std::to_string(std::lround(0.8 * HalfPoints())) + " \\par\\par ");
    WriteText(def.v_headerLine);
    EndGroup();
    WriteLine("");
  }
  EndGroup();
  WriteLine("");
}

void CTRTFOutput::WriteZoneTable(const std::vector<CTPageZone>& zones, bool bTop, int nUsableWidth)
{
  const CTZonePlaces places = PlaceZones(zones);
  const CTPageZone* cells[3] = {places.left, places.centre, places.right};
  WriteLine("\\trowd \\trgaph20\\trrh200");
  for (int i = 0; i < 3; ++i) {
    const bool pageNr = cells[i] && std::holds_alternative<CTPageNrZone>(*cells[i]);
    WriteRaw(pageNr ? (bTop ? "\\clvertalt " : "\\clvertalb ") : "\\clvertalc ");
    WriteRaw("\\clcbpat0 \\cltxlrtb ");
    WriteLine("\\cellx" + std::to_string(nUsableWidth * (i + 1) / 3));
  }
  static constexpr const char* kAlign[3] = {"\\ql ", "\\qc ", "\\qr "};
  for (int i = 0; i < 3; ++i) {
    WriteRaw(std::string("\\pard \\intbl ") + kAlign[i]);
    if (cells[i]) WriteZone(*cells[i], nUsableWidth / 3);
    WriteLine(" \\cell");
  }
  WriteLine("\\row \\pard");
}

void CTRTFOutput::WriteZone(const CTPageZone& zone, int nMaxWidthTwips)
{
  auto textGroup = [this](const std::string& szText) {
    BeginGroup("\\cs17 ");
    WriteText(szText);
    EndGroup();
  };
  if (const auto* pageNr = std::get_if<CTPageNrZone>(&zone)) {
    // The number takes the place of "$1" in the caption.
    const CTPageNrCaption caption = SplitPageNrCaption(pageNr->caption);
    textGroup(caption.before);
    WriteLine("{\\field{\\*\\fldinst {\\cs17 PAGE }}");
    WriteRaw("{\\fldrslt {\\cs17\\lang1024 1}}}");
    if (!caption.after.empty()) textGroup(caption.after);
    WriteLine("");
  } else if (const auto* text = std::get_if<CTTextZone>(&zone)) {
    for (std::size_t i = 0; i < text->lines.size(); ++i) {
      if (i) WriteLine("{\\par}");
      textGroup(text->lines[i]);
    }
  } else if (const auto* picture = std::get_if<CTPictureZone>(&zone); picture && picture->picture) {
    WritePicture(1.0, *picture->picture, HorAlign::Left, false, nMaxWidthTwips);
  }
}

} // namespace aw::docs
