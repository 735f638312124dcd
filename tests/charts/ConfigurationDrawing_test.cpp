// The configuration drawing: the captions of each family, a layout that stays
// on the canvas without overlapping labels, and the selected unit's data.

#include "DisplayListCheck.h"
#include "EngineCatalogueTest.h"
#include "charts/ConfigurationDrawing.h"

#include "engine/ClBrisa.h"
#include "engine/SelectionModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace aw::charts {
namespace {

CTConfigLimit Range(double rh, double lo, double hi) { return {rh, true, lo, hi}; }

CTConfigData Unit(bool bExhaust, bool bCoil, bool bHumidifier, bool bHeaters)
{
  CTConfigData d;
  d.nFamily = bCoil ? 1 : bExhaust ? 0 : 2;
  d.szTitle = "Unit 1200 EC";
  d.bHasExhaust = bExhaust, d.bHasCoil = bCoil, d.bHasHumidifier = bHumidifier;
  d.bInletHeater = d.bSupplyHeater = bHeaters;
  d.Exhaust = {90, false, 0, 0};
  d.Room = d.Exchanger = Range(70, 10, 40);
  d.VentIn = Range(100, -25, 45);
  d.VentOut = {95, false, 0, 0};
  d.AmbientMinTemp = -25, d.VentInMinTemp = -15;
  return d;
}

std::set<std::string> Captions(const CTConfigurationDrawing& d)
{
  std::set<std::string> tags;
  for (const CTConfigLabel& l : d.labels)
    if (l.tag.starts_with("caption:") || l.tag.starts_with("heater:") || l.tag == "note")
      tags.insert(l.tag);
  return tags;
}

bool Overlap(const TVirtGraph::Rect& a, const TVirtGraph::Rect& b)
{
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const TVirtGraph::Rect& in, const TVirtGraph::Rect& out)
{
  return in.left >= out.left && in.right <= out.right && in.top >= out.top && in.bottom <= out.bottom;
}

// The box a label belongs to ("limits:room:1" to "limits:room"), or none.
std::string Owner(const std::string& tag)
{
  if (tag.starts_with("limits:"))
    return tag.substr(0, tag.rfind(':'));
  if (tag.ends_with(":caption"))
    return tag.substr(0, tag.size() - 8);
  return {};
}

bool InsideTheUnit(const std::string& tag) { return tag == "title" || tag == "caption:CI" || tag == "caption:HI"; }

// Labels and boxes stay on the canvas; labels overlap no other label and no box
// but their own, and boxes do not overlap. The title, CI and HI lie inside the
// unit's outline, clear of its border; nothing else touches it.
void ExpectTidyLayout(const CTConfigurationDrawing& d, int nWidth, int nHeight)
{
  const TVirtGraph::Rect canvas{0, 0, nWidth, nHeight};
  const TVirtGraph::Rect inner{d.unit.left + 2, d.unit.top + 2, d.unit.right - 2, d.unit.bottom - 2};
  for (std::size_t i = 0; i < d.labels.size(); ++i) {
    const CTConfigLabel& a = d.labels[i];
    EXPECT_TRUE(Inside(a.box, canvas)) << a.tag << " " << a.text;
    if (InsideTheUnit(a.tag))
      EXPECT_TRUE(Inside(a.box, inner)) << a.tag << " not inside the unit";
    else
      EXPECT_FALSE(Overlap(a.box, d.unit)) << a.tag << " on the unit";
    for (std::size_t j = i + 1; j < d.labels.size(); ++j)
      EXPECT_FALSE(Overlap(a.box, d.labels[j].box)) << a.tag << " and " << d.labels[j].tag;
    for (const CTConfigLabel& b : d.boxes)
      if (Owner(a.tag) == b.tag)
        EXPECT_TRUE(Inside(a.box, b.box)) << a.tag << " outside its box";
      else
        EXPECT_FALSE(Overlap(a.box, b.box)) << a.tag << " on " << b.tag;
  }
  for (std::size_t i = 0; i < d.boxes.size(); ++i) {
    EXPECT_TRUE(Inside(d.boxes[i].box, canvas)) << d.boxes[i].tag;
    EXPECT_FALSE(Overlap(d.boxes[i].box, d.unit)) << d.boxes[i].tag << " on the unit";
    for (std::size_t j = i + 1; j < d.boxes.size(); ++j)
      EXPECT_FALSE(Overlap(d.boxes[i].box, d.boxes[j].box)) << d.boxes[i].tag << " and " << d.boxes[j].tag;
  }
}

struct FamilyCase
{
  const char* name;
  CTConfigData data;
  std::set<std::string> captions;
};

const std::set<std::string> kCommon = {"caption:VI", "caption:VO", "caption:OA", "caption:SA"};

std::set<std::string> With(std::set<std::string> base, std::initializer_list<const char*> more)
{
  base.insert(more.begin(), more.end());
  return base;
}

TEST(ConfigurationDrawingTest, EachFamilyHasItsCaptionsAndATidyLayout)
{
  const std::set<std::string> heatExchanger = With(kCommon, {"caption:RA", "caption:EA", "note"});
  const std::vector<FamilyCase> cases = {
    {"brisa", Unit(true, false, false, false), heatExchanger},
    {"brisa with heaters", Unit(true, false, false, true),
     With(heatExchanger, {"heater:Inlet:caption", "heater:Supply:caption"})},
    {"dorsa without humidifier", Unit(true, true, false, false), With(heatExchanger, {"caption:CI"})},
    {"dorsa with humidifier", Unit(true, true, true, true),
     With(heatExchanger, {"caption:CI", "caption:HI", "heater:Inlet:caption", "heater:Supply:caption"})},
    {"pelmar-mf", Unit(false, false, false, false), kCommon},
  };
  // The report's picture, a page of the window and a small window.
  const std::pair<int, int> sizes[] = {{800, 600}, {1340, 640}, {640, 480}};
  for (const FamilyCase& c : cases)
    for (const auto& [w, h] : sizes)
      for (const bool bLimits : {true, false}) {
        SCOPED_TRACE(std::string(c.name) + (bLimits ? " with limits at " : " without limits at ") + std::to_string(w) +
                     "x" + std::to_string(h));
        DisplayList list;
        const CTConfigurationDrawing d = DrawConfiguration(list, FixedTextMetrics(), w, h, c.data, bLimits);
        EXPECT_EQ(Captions(d), c.captions);
        std::set<std::string> boxes;
        for (const CTConfigLabel& b : d.boxes)
          if (b.tag.starts_with("limits:"))
            boxes.insert(b.tag);
        const std::set<std::string> limits =
          c.data.bHasExhaust ? std::set<std::string>{"limits:exhaust", "limits:room", "limits:exchanger",
                                                     "limits:ventIn", "limits:ventOut"}
                             : std::set<std::string>{"limits:ventIn", "limits:ventOut"};
        EXPECT_EQ(boxes, bLimits ? limits : std::set<std::string>{});
        test::ExpectDrawingInside(list, {}, "");
        ExpectTidyLayout(d, w, h);
      }
}

TEST(ConfigurationDrawingTest, LimitBoxesShowTheLimits)
{
  DisplayList list;
  const CTConfigurationDrawing d =
    DrawConfiguration(list, FixedTextMetrics(), 800, 600, Unit(true, false, false, false));
  std::vector<std::string> room, ventOut;
  for (const CTConfigLabel& l : d.labels) {
    if (l.tag.starts_with("limits:room:"))
      room.push_back(l.text);
    if (l.tag.starts_with("limits:ventOut:"))
      ventOut.push_back(l.text);
  }
  EXPECT_EQ(room, (std::vector<std::string>{"Room air limits", "Maximum relative humidity: 70%",
                                            "Temperature range: 10.0 °C .. 40.0 °C"}));
  EXPECT_EQ(ventOut, (std::vector<std::string>{"Ventilation out limits", "Maximum relative humidity: 95%"}));
}

TEST(ConfigurationDrawingTest, SmallOrEmptyCanvasesDrawNoNaN)
{
  for (const auto& [w, h] : std::vector<std::pair<int, int>>{{0, 0}, {40, 30}, {200, 150}}) {
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
    DisplayList list;
    DrawConfiguration(list, FixedTextMetrics(), w, h, Unit(true, true, true, true));
    // A NaN or infinite coordinate would come out as a huge integer.
    for (const DLPrimitive& p : list.items) {
      for (const DLPoint& pt : p.points)
        EXPECT_TRUE(std::abs(pt.x) < 10000 && std::abs(pt.y) < 10000) << p.tag << " at " << pt.x << ", " << pt.y;
      EXPECT_EQ(p.text.find("nan"), std::string::npos) << p.text;
      EXPECT_EQ(p.text.find("inf"), std::string::npos) << p.text;
    }
  }
  DisplayList list;
  EXPECT_TRUE(DrawConfiguration(list, FixedTextMetrics(), 800, 600, CTConfigData{}).labels.empty());
  EXPECT_TRUE(list.items.empty());
}

// A canvas narrower than a word of the note breaks the word: every line
// stays inside the canvas and no character is lost.
TEST(ConfigurationDrawingTest, ANoteWordWiderThanTheCanvasIsBrokenNotDrawnPastTheEdge)
{
  for (const int w : {60, 90, 160}) {
    SCOPED_TRACE(w);
    DisplayList wide, narrow;
    const CTConfigurationDrawing whole = DrawConfiguration(wide, FixedTextMetrics(), 800, 600, Unit(true, false, false, false));
    const CTConfigurationDrawing d = DrawConfiguration(narrow, FixedTextMetrics(), w, 600, Unit(true, false, false, false));
    std::string wholeText, brokenText;
    for (const CTConfigLabel& l : whole.labels)
      if (l.tag == "note")
        wholeText += l.text;
    for (const CTConfigLabel& l : d.labels)
      if (l.tag == "note") {
        EXPECT_TRUE(Inside(l.box, {0, 0, w, 600})) << l.text;
        brokenText += l.text;
      }
    const auto withoutBlanks = [](std::string s) {
      std::erase(s, ' ');
      return s;
    };
    ASSERT_FALSE(wholeText.empty());
    EXPECT_EQ(withoutBlanks(brokenText), withoutBlanks(wholeText));
  }
}

// The selected unit's family decides what the drawing shows; a Dorsa shows HI
// only with a humidifier.
class ConfigDataTest : public test::EngineCatalogueTest
{
};

TEST_F(ConfigDataTest, TheSelectedUnitsFamilyChoosesThePaths)
{
  CTSelectionModel model(&session->Factory());
  struct Expected
  {
    int family;
    bool bExhaust, bCoil;
  };
  for (const Expected& e : {Expected{0, true, false}, Expected{1, true, true}, Expected{2, false, false}}) {
    SCOPED_TRACE(e.family);
    model.SetFamily(e.family);
    ASSERT_FALSE(model.Solutions().IsEmpty());
    for (int row = 0; row < model.Solutions().Count(); ++row) {
      model.SelectedDevicesClick(row);
      const CTConfigData d = ConfigDataFor(model);
      EXPECT_EQ(d.nFamily, e.family);
      EXPECT_EQ(d.szTitle, model.CurrentBrisa()->GetQualifiedName());
      EXPECT_EQ(d.bHasExhaust, e.bExhaust);
      EXPECT_EQ(d.bHasCoil, e.bCoil);
      EXPECT_EQ(d.bHasHumidifier, e.bCoil && model.CurrentBrisa()->GetNomHumidity() > 0);
    }
  }
  model.SelectedDevicesClick(-1);
  EXPECT_EQ(ConfigDataFor(model).nFamily, -1);
}

} // namespace
} // namespace aw::charts
