// The Fan Characteristics, Exchange Efficiencies, Efficiency Corrections and
// Configuration pages in the started window: the selected unit's drawing,
// redrawn after an input change, and the legend clicks kept in the settings.

#include "app/DlgSelect.h"
#include "app/GraphPage.h"
#include "app/SelectionPage.h"
#include "app/TempConditionsPanel.h"
#include "app/UnitTextScroll.h"

#include "RecordingPrompts.h"
#include "TestApplication.h"
#include "engine/ClBrisa.h"
#include "engine/SelectionModel.h"
#include "platform/SettingsRoots.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace aw::app {
namespace {

class GraphPagesTest : public ::testing::Test
{
protected:
  GraphPagesTest()
  {
    v_window.RunStartup();
    v_window.show();
  }

  struct Page
  {
    const char* tab;
    std::function<TDrawingBox*(TDlgSelect&)> box;
  };
  static std::vector<Page> Pages()
  {
    return {{"Tab_Fan", [](TDlgSelect& w) -> TDrawingBox* { return w.FanGraph(); }},
            {"Tab_Efficiencies", [](TDlgSelect& w) -> TDrawingBox* { return w.EfficiencyGraph(); }},
            {"Tab_EffCorrect", [](TDlgSelect& w) -> TDrawingBox* { return w.CorrectionGraph(); }},
            {"Tab_Configuration", [](TDlgSelect& w) -> TDrawingBox* { return w.ConfigurationBox(); }}};
  }
  void ShowPage(const char* szTab)
  {
    auto* pages = v_window.findChild<QTabWidget*>(QStringLiteral("Ctl_Pages"));
    pages->setCurrentWidget(v_window.findChild<QWidget*>(QString::fromLatin1(szTab)));
    QApplication::processEvents();
  }
  static void Type(TFrm_UnitTextScroll& field, const QString& text)
  {
    field.Edit()->setText(text);
    field.Edit()->setModified(true);
    emit field.Edit()->editingFinished();
  }
  static const charts::CTGraphPoint* Point(TGraphBox& box, const std::string& tag)
  {
    for (const charts::CTGraphPoint& p : box.Graph().points)
      if (p.tag == tag)
        return &p;
    return nullptr;
  }
  static bool HasCurve(TGraphBox& box, const std::string& tag)
  {
    for (const charts::CTGraphCurve& c : box.Graph().curves)
      if (c.tag == tag)
        return true;
    return false;
  }

  QApplication& v_application = test::TestApplication();
  test::RecordingPrompts v_prompts;
  ScopedUserPrompts v_scoped{v_prompts};
  TDlgSelect v_window;
};

TEST_F(GraphPagesTest, EachPageShowsTheSelectedUnitsDrawingAtTheBoxSize)
{
  ASSERT_TRUE(v_window.Model()->CurrentBrisa());
  const std::string unit = v_window.Model()->CurrentBrisa()->GetQualifiedName();
  for (const Page& page : Pages()) {
    SCOPED_TRACE(page.tab);
    ShowPage(page.tab);
    TDrawingBox& box = *page.box(v_window);
    ASSERT_TRUE(box.isVisible());
    const charts::DisplayList& drawing = box.Drawing();
    EXPECT_EQ(drawing.width, box.width());
    EXPECT_EQ(drawing.height, box.height());
    bool bTitled = false;
    for (const charts::DLPrimitive& p : drawing.items)
      bTitled = bTitled || (p.kind == charts::DLKind::Text && p.text == unit);
    EXPECT_TRUE(bTitled) << "no title " << unit;
    if (auto* graph = dynamic_cast<TGraphBox*>(&box)) {
      EXPECT_FALSE(graph->Graph().curves.empty());
      EXPECT_FALSE(graph->Graph().points.empty());
    }
    const QImage shown = box.grab().toImage();
    int nInked = 0;
    for (int y = 0; y < shown.height(); y += 2)
      for (int x = 0; x < shown.width(); x += 2)
        nInked += shown.pixelColor(x, y) != Qt::white;
    EXPECT_GT(nInked, 500) << "the painted page is blank";
  }
}

TEST_F(GraphPagesTest, AnInputChangeRedrawsEveryPage)
{
  const auto supplyPointX = [this] { return Point(*v_window.FanGraph(), "point:Supply")->world.x; };
  const auto effPointX = [this] { return Point(*v_window.EfficiencyGraph(), "point:EffT")->world.x; };
  const auto corrPointX = [this] { return Point(*v_window.CorrectionGraph(), "point:CorrT")->world.x; };
  ShowPage("Tab_Fan");
  ASSERT_TRUE(Point(*v_window.FanGraph(), "point:Supply"));
  ASSERT_TRUE(Point(*v_window.EfficiencyGraph(), "point:EffT"));
  ASSERT_TRUE(Point(*v_window.CorrectionGraph(), "point:CorrT"));
  EXPECT_NEAR(supplyPointX(), 100, 0.5); // 5 l/s × 100 m² ÷ 5 m²
  const double corrBefore = corrPointX();

  Type(*v_window.SelectionPage()->Field("Frm_Airflow"), QStringLiteral("6"));
  ASSERT_NEAR(v_window.Model()->SupplyAir(), 120 * 3.6, 1e-6);
  EXPECT_NEAR(supplyPointX(), 120, 0.5) << "the fan page follows while it is shown";
  EXPECT_NEAR(effPointX(), 120, 0.5);
  EXPECT_NE(corrPointX(), corrBefore) << "the efficiency at the new airflow";

  const auto hasInletHeater = [this] { return v_window.ConfigurationBox()->Drawing().Find("heater:Inlet") != nullptr; };
  ShowPage("Tab_Configuration");
  ASSERT_FALSE(hasInletHeater());
  TFrm_TempConditions& heating = *v_window.SelectionPage()->HeatConditions();
  heating.InletChoice()->setCurrentIndex(1); // a user-defined inlet heater
  Type(*heating.InletHeater(), QStringLiteral("2"));
  EXPECT_TRUE(hasInletHeater());
}

// A click on a legend entry hides its curve, a second click shows it again;
// the choice is kept for the next drawing.
TEST_F(GraphPagesTest, ALegendClickTogglesTheCurveAndKeepsTheChoice)
{
  struct Case
  {
    const char* tab;
    std::function<TGraphBox*(TDlgSelect&)> box;
    std::string entry;
  } const cases[] = {{"Tab_Efficiencies", [](TDlgSelect& w) { return w.EfficiencyGraph(); }, "EffC"},
                     {"Tab_Fan", [](TDlgSelect& w) { return w.FanGraph(); }, "Exhaust"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tab);
    ShowPage(c.tab);
    TGraphBox& box = *c.box(v_window);
    const auto& legend = box.Graph().legend;
    const int index = c.entry == "Exhaust" ? 1 : 0;
    ASSERT_GT(legend.cells.size(), std::size_t(index));
    const auto& cell = legend.cells[std::size_t(index)];
    const QPointF centre((cell.left + cell.right) / 2.0, (cell.top + cell.bottom) / 2.0);
    const auto click = [&] {
      QMouseEvent release(QEvent::MouseButtonRelease, centre, box.mapToGlobal(centre), Qt::LeftButton, Qt::NoButton,
                          Qt::NoModifier);
      QApplication::sendEvent(&box, &release);
    };
    const std::string key = std::string(platform::kPreferencesKey) + "\\" + c.entry;
    ASSERT_TRUE(HasCurve(box, "curve:" + c.entry));
    click();
    EXPECT_FALSE(HasCurve(box, "curve:" + c.entry));
    EXPECT_EQ(platform::SettingsStore::User().ReadInteger(key, "Visible"), 0);
    box.Invalidate();
    EXPECT_FALSE(HasCurve(box, "curve:" + c.entry)) << "the choice is read back";
    click();
    EXPECT_TRUE(HasCurve(box, "curve:" + c.entry));
    EXPECT_EQ(platform::SettingsStore::User().ReadInteger(key, "Visible"), 1);
  }
}

} // namespace
} // namespace aw::app
