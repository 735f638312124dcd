#include "docs/SampleDocument.h"

namespace aw::docs {
namespace {

std::shared_ptr<CTDecorationDefinition> SampleDecorations()
{
  auto def = std::make_shared<CTDecorationDefinition>();
  def->AddTopZone(CTTextZone{{"Airwright"}});
  def->AddTopZone(CTTextZone{{"Sample document"}});
  def->AddBottomZone(CTTextZone{{"Korvath ventilation"}});
  def->AddBottomZone(CTPageNrZone{kSamplePageCaption});
  return def;
}

// Airflows of a unit: a title row whose second cell spans the two airflow
// columns, a title column, right-aligned numbers and a last row spanning
// every column after the first.
CTDocTable SampleTable()
{
  CTDocTable table(4, 4, 1, 1);
  table.SetForTitleRows(&CTDocTable::SetStyles, kBold);
  table.SetText(0, 0, "Quantity");
  table.SetText(1, 0, "Supply and exhaust");
  table.SetColumnSpan(1, 0, 2);
  table.SetHorAlign(1, 0, HorAlign::Center);
  table.SetText(3, 0, "Unit");
  const char* rows[2][4] = {{"Airflow", "1200", "1150", "m³/h"}, {"ESP", "150", "140", "Pa"}};
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 4; ++c) table.SetText(c, r + 1, rows[r][c]);
  table.SetForColumn(&CTDocTable::SetHorAlign, 1, HorAlign::Right);
  table.SetForColumn(&CTDocTable::SetHorAlign, 2, HorAlign::Right);
  table.SetHorAlign(1, 0, HorAlign::Center);
  table.SetText(0, 3, "Note");
  table.SetText(1, 3, "One cell over three columns");
  table.SetColumnSpan(1, 3, -1);
  table.SetHorAlign(1, 3, HorAlign::Left);
  table.SetFontColor(1, 3, 0x0000FFu);
  return table;
}

} // namespace

void WriteSampleDocument(CTDocOutput& output, std::shared_ptr<const CTDocPicture> picture)
{
  output.SetPageGeometry(CTPageGeometry::FromCentimetres(21.0, 29.7, 2.5, 2.0, 2.0, 2.0));
  output.SetDecorations(SampleDecorations());

  output.TextTitle("Airwright sample document");
  output.TextHeading(DocFontRole::Heading1, "Text and pictures", true);
  output.TextWrite("Characters that need care: ");
  output.TextStyle(kSampleSpecialText, kBold, kWindowTextColor, 0);
  output.TextWriteln();
  output.TextLeft("A vector figure follows.");
  if (picture) output.PutGraphic(1.0, *picture, HorAlign::Center, true);
  output.TextHeading(DocFontRole::Heading2, "A table with spans", true);
  CTDocTable table = SampleTable();
  output.PutDocTable(table);
  output.NewPage();
  output.TextHeading(DocFontRole::Heading1, "Second page", true);
  output.TextLeft("The page break above follows a table.");
  output.TextRight("End of the sample document.", kItalic);
}

} // namespace aw::docs
