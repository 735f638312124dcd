// The selection report through a recording writer on the demonstration
// catalogue: its sections and page breaks in order per family, the values
// as the selection view formats them from the model, the options and
// commissioning sections where they apply, and the page decorations from
// the distributor settings.

#include "docs/SelectionReport.h"
#include "charts/EngineCatalogueTest.h"
#include "docs/StubPicture.h"

#include "air/NumberFormat.h"
#include "air/SI_Units.h"
#include "air/ValueFormatting.h"
#include "engine/SelectionModel.h"
#include "platform/SettingsStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace aw::docs {
namespace {

// What the report wrote: every output as one event, tables also as their cells.
struct Record
{
  std::vector<std::string> events;
  std::vector<std::vector<std::string>> tables;
  std::vector<CTDocTable> grids;

  std::vector<std::string> Headings() const
  {
    std::vector<std::string> h;
    std::copy_if(events.begin(), events.end(), std::back_inserter(h), [](const std::string& e) { return e[0] == 'H'; });
    return h;
  }
  bool HasCell(const std::string& szText) const
  {
    return std::any_of(tables.begin(), tables.end(), [&](const std::vector<std::string>& t) {
      return std::find(t.begin(), t.end(), szText) != t.end();
    });
  }
  // The value cells right of the cells with the caption, in table order, left column first.
  std::vector<std::string> ValuesOf(const std::string& szCaption) const
  {
    std::vector<std::string> values;
    for (const CTDocTable& t : grids)
      for (int c = 0; c + 1 < t.NbColumns(); ++c)
        for (int r = 0; r < t.NbRows(); ++r)
          if (t.GetText(c, r) == szCaption) values.push_back(t.GetText(c + 1, r));
    return values;
  }
  std::string ValueOf(const std::string& szCaption) const
  {
    const std::vector<std::string> values = ValuesOf(szCaption);
    return values.empty() ? "<none>" : values.front();
  }
};

class RecordingOutput : public CTDocOutput
{
public:
  explicit RecordingOutput(Record& record) : v_record(record) {}
  void TextStyle(const std::string& szText, FontStyles, DocColor, int) override { v_run += szText; }
  void TextWriteln() override { Paragraph(); }
  void TextLeft(const std::string& szText, FontStyles = 0, DocColor = kWindowTextColor) override { Line(szText); }
  void TextCenter(const std::string& szText, FontStyles = 0, DocColor = kWindowTextColor) override { Line(szText); }
  void TextRight(const std::string& szText, FontStyles = 0, DocColor = kWindowTextColor) override { Line(szText); }
  void NewPage() override { v_record.events.push_back("PAGE"); }
  void TextHeading(DocFontRole role, const std::string& szText, bool bIndexEntry) override
  {
    v_record.events.push_back((role == DocFontRole::Heading1 ? "H1 " : "H2 ") + szText + (bIndexEntry ? " #" : ""));
  }
  void PutDocTable(CTDocTable& table) override
  {
    v_record.events.push_back("TABLE");
    std::vector<std::string> cells;
    for (int r = 0; r < table.NbRows(); ++r)
      for (int c = 0; c < table.NbColumns(); ++c) cells.push_back(table.GetText(c, r));
    v_record.tables.push_back(cells);
    v_record.grids.push_back(table);
  }
  void PutGraphic(double, const CTDocPicture& picture, HorAlign, bool) override
  {
    v_record.events.push_back("PICTURE " + std::to_string(picture.LogicalWidth()));
  }

private:
  void Line(const std::string& szText) { v_run += szText; Paragraph(); }
  void Paragraph()
  {
    v_record.events.push_back("P " + v_run);
    v_run.clear();
  }
  Record& v_record;
  std::string v_run;
};

// Messages as "M<n>(params)", translations in brackets, so that the test sees where each text came from.
class MarkedTexts : public CTReportTexts
{
public:
  std::string Message(int nMsgNo, const std::vector<std::string>& params = {}) const override
  {
    std::string text = "M" + std::to_string(nMsgNo);
    if (!params.empty()) text += "(" + params.front() + ")";
    return text;
  }
  std::string Translate(std::string_view szEnglish) const override { return "[" + std::string(szEnglish) + "]"; }
};

class StubPictures : public CTReportPictures
{
public:
  std::shared_ptr<const CTDocPicture> Chart(bool) override { return Stub(800); }
  std::shared_ptr<const CTDocPicture> FanGraph() override { return Stub(640); }
  std::shared_ptr<const CTDocPicture> EfficiencyGraph() override { return Stub(641); }
  std::shared_ptr<const CTDocPicture> CorrectionGraph() override { return Stub(642); }
  std::shared_ptr<const CTDocPicture> ConfigurationDrawing() override { return nullptr; }
  std::shared_ptr<const CTDocPicture> ResourcePicture(std::string_view) override { return Stub(50); }
  std::shared_ptr<const CTDocPicture> FilePicture(const std::string&) override { return Stub(51); }

private:
  static std::shared_ptr<const CTDocPicture> Stub(int nWidth) { return std::make_shared<test::StubPicture>(nWidth, 100); }
};

class SelectionReportTest : public test::EngineCatalogueTest
{
protected:
  // A view of the model, optionally as if the unit used no options.
  class ViewWithoutOptions : public CTSelectionView
  {
  public:
    using CTSelectionView::CTSelectionView;
    std::vector<CTViewOption> UsedOptions() const override { return {}; }
  };
  static Record Report(CTSelectionModel& model, bool bWithoutOptions = false)
  {
    Record record;
    RecordingOutput out(record);
    const CTSelectionView plain(model);
    const ViewWithoutOptions withoutOptions(model);
    const CTSelectionView& view = bWithoutOptions ? withoutOptions : plain;
    const MarkedTexts texts;
    StubPictures pictures;
    CTSelectionReport(out, view, texts, pictures).Write(ReportDecorations({}, texts, pictures));
    return record;
  }
  static std::string Percent(double value) { return Number2FmtStr(value, 1, 1, TU_Form::GetDecimalSeparator()) + "%"; }
  // The events from the first one starting with szFrom up to the first one after it starting with szTo.
  static std::vector<std::string> Between(const Record& out, const std::string& szFrom, const std::string& szTo)
  {
    auto from = std::find_if(out.events.begin(), out.events.end(), [&](const std::string& e) { return e.starts_with(szFrom); });
    auto to = std::find_if(from == out.events.end() ? from : std::next(from), out.events.end(), [&](const std::string& e) { return e.starts_with(szTo); });
    return {from, to};
  }
  static long PagesBefore(const Record& out, const std::string& szEvent)
  {
    return std::count(out.events.begin(), std::find(out.events.begin(), out.events.end(), szEvent), "PAGE");
  }
  static bool HasPage(const std::vector<std::string>& events) { return std::find(events.begin(), events.end(), "PAGE") != events.end(); }
};

TEST_F(SelectionReportTest, SectionsFollowInOrderWithTheModelsValuesPerFamily)
{
  struct Case
  {
    int family;
    std::vector<std::string> headings;
    std::vector<std::string> pictures;
  };
  // Every unit has the standard remote controller among its used options.
  const std::vector<std::string> brisa = {"H1 M110 #", "H1 M103 #", "H1 M96 #", "H1 M79 #",  "H1 M83 #",  "H1 M100 #",
                                          "H1 M99 #",  "H2 [Cooling] #", "H2 [Heating] #", "H1 M92 #", "H1 M87 #",
                                          "H1 M86 #",  "H1 M80 #"};
  std::vector<std::string> dorsa = brisa;
  dorsa.insert(dorsa.begin() + 5, "H1 M116 #");
  const std::vector<std::string> pelmar = {"H1 M110 #", "H1 M103 #", "H1 M96 #", "H1 M83 #", "H1 M116 #", "H1 M100 #",
                                           "H1 M99 #",  "H2 [Cooling] #", "H2 [Heating] #", "H1 M92 #"};
  const std::vector<std::string> exchangerPictures = {"PICTURE 800", "PICTURE 800", "PICTURE 640", "PICTURE 641", "PICTURE 642"};
  const Case cases[] = {{0, brisa, exchangerPictures},
                        {1, dorsa, exchangerPictures},
                        {2, pelmar, {"PICTURE 800", "PICTURE 800", "PICTURE 640"}}};
  CTSelectionModel model(&session->Factory());
  for (const Case& c : cases) {
    SCOPED_TRACE("family " + std::to_string(c.family));
    model.SetFamily(c.family);
    ASSERT_TRUE(model.CurrentBrisa());
    model.FillOptions();
    const Record out = Report(model);
    EXPECT_EQ(out.Headings(), c.headings);
    std::vector<std::string> pictures;
    std::copy_if(out.events.begin(), out.events.end(), std::back_inserter(pictures),
                 [](const std::string& e) { return e.starts_with("PICTURE"); });
    EXPECT_EQ(pictures, c.pictures);

    // The unit under the first heading; values as the model holds them.
    EXPECT_EQ(out.events.at(2), "P M102(" + model.CurrentBrisa()->GetQualifiedName() + ")");
    const CTModeResults& cool = model.CoolingResults();
    ASSERT_TRUE(cool.bComputed);
    const CTModeResults& heat = model.HeatingResults();
    ASSERT_TRUE(heat.bComputed);
    // Cooling at the left, heating at the right.
    if (c.family != 2)
      EXPECT_EQ(out.ValuesOf(" [Enthalpy exchange efficiency]"),
                (std::vector<std::string>{Percent(cool.EnthalpyEff), Percent(heat.EnthalpyEff)}));
    else
      EXPECT_EQ(out.ValuesOf(" [Supply temperature]"),
                (std::vector<std::string>{FormatTemperature(cool.SupplyTemp, true), FormatTemperature(heat.SupplyTemp, true)}));
    EXPECT_EQ(out.ValueOf(" [Total supply airflow]"), FormatInput(model.TotalSupply()));
    EXPECT_EQ(out.ValueOf(" [Dry bulb temperature]"), FormatInput(model.Cooling().RoomDBT()));
    // Pelmar-MF has no exhaust side, no commissioning and no exhaust air state.
    EXPECT_EQ(out.HasCell(" [Total exhaust airflow]"), c.family != 2);
    EXPECT_EQ(out.HasCell(" [Exhaust Air (EA)]"), c.family != 2);
    EXPECT_EQ(out.HasCell(" [Coil In (CI)]"), c.family == 1);
    // The selection data end with a page break; the air states end on one before and after the charts.
    EXPECT_TRUE(HasPage(Between(out, "H1 M103", "H1 M")));
    EXPECT_TRUE(HasPage(Between(out, "H1 M100", "H1 M99")));
  }
}

TEST_F(SelectionReportTest, OptionsSectionAndItsPageBreakOnlyWithUsedOptions)
{
  CTSelectionModel model(&session->Factory());
  for (int family : {0, 2}) {
    SCOPED_TRACE("family " + std::to_string(family));
    model.SetFamily(family);
    model.FillOptions();
    Record out = Report(model);
    const std::vector<std::string> headings = out.Headings();
    ASSERT_GE(headings.size(), 4u);
    EXPECT_EQ(headings[2], "H1 M96 #");
    EXPECT_TRUE(out.HasCell(" KRC-10"));
    EXPECT_TRUE(out.HasCell(" [Remote controller]"));
    EXPECT_TRUE(out.HasCell(" [W×H×D]")); // the controller has a size
    EXPECT_EQ(PagesBefore(out, "H1 M83 #"), family == 2 ? 1 : 2);
    if (family == 2) {
      // No commissioning: the options run straight into the technical data.
      EXPECT_EQ(headings[3], "H1 M83 #");
      EXPECT_FALSE(HasPage(Between(out, "H1 M96", "H1 M83")));
    } else {
      EXPECT_EQ(headings[3], "H1 M79 #");
      // Messages are not translated again; the settings for the unit's speed types follow.
      EXPECT_TRUE(out.HasCell(" M107(KRC-10)"));
      EXPECT_TRUE(out.HasCell(" M108"));
      EXPECT_TRUE(HasPage(Between(out, "H1 M79", "H1 M83")));
    }

    // Without used options neither the section nor its page break.
    out = Report(model, true);
    EXPECT_EQ(std::count(out.events.begin(), out.events.end(), "H1 M96 #"), 0);
    EXPECT_EQ(PagesBefore(out, "H1 M83 #"), 1);
  }
}

TEST_F(SelectionReportTest, DecorationsShowTheDistributorDataInEffect)
{
  test::TempDir dir;
  platform::SettingsStore store(dir / "settings.ini");
  const MarkedTexts texts;
  StubPictures pictures;
  CTDistributorSettings first{{"  Air & Co  ", "Main Street 1", ""}, ""};
  ASSERT_TRUE(first.Save(store));
  auto def = ReportDecorations(CTDistributorSettings::Load(store), texts, pictures);
  ASSERT_EQ(def->BottomZones().size(), 3u);
  EXPECT_EQ(std::get<CTTextZone>(def->BottomZones()[0]).lines, (std::vector<std::string>{"Air & Co", "Main Street 1", ""}));
  EXPECT_EQ(std::get<CTPageNrZone>(def->BottomZones()[2]).caption, "M15");
  EXPECT_EQ(def->v_footerLine, "M14");
  EXPECT_TRUE(def->PrintsFooterLine());
  ASSERT_EQ(def->TopZones().size(), 3u);
  EXPECT_EQ(std::get<CTPictureZone>(def->TopZones()[1]).picture, nullptr); // no logo chosen

  // Changed lines and a logo: the next report's decorations show them.
  CTDistributorSettings second{{"Vent GmbH", "", "Berlin"}, (dir / "logo.png").string()};
  ASSERT_TRUE(second.Save(store));
  def = ReportDecorations(CTDistributorSettings::Load(store), texts, pictures);
  EXPECT_EQ(std::get<CTTextZone>(def->BottomZones()[0]).lines, (std::vector<std::string>{"Vent GmbH", "", "Berlin"}));
  ASSERT_NE(std::get<CTPictureZone>(def->TopZones()[1]).picture, nullptr);
  EXPECT_EQ(std::get<CTPictureZone>(def->TopZones()[1]).picture->LogicalWidth(), 51);
}

TEST(DistributorLogo, LargestAcceptedSizeIs590By236)
{
  struct Case
  {
    int w, h;
    bool fits;
  };
  for (const Case c : {Case{590, 236, true}, Case{591, 100, false}, Case{100, 237, false}, Case{1, 1, true}})
    EXPECT_EQ(CTDistributorSettings::LogoFits(c.w, c.h), c.fits) << c.w << "x" << c.h;
}

} // namespace
} // namespace aw::docs
