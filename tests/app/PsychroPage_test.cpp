// The Psychrometrics page in the started window: the chart of the selected
// unit, the switches of kind and mode, the read-out under the pointer and the
// chart saved to a file.

#include "app/DlgSelect.h"
#include "app/FrmConfiguration.h"
#include "app/GraphPage.h"
#include "app/PsychroPage.h"
#include "app/SelectionPage.h"
#include "app/UnitTextScroll.h"

#include "RecordingPrompts.h"
#include "TestApplication.h"
#include "engine/SelectionModel.h"
#include "platform/SettingsRoots.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace aw::app {
namespace {

class PsychroPageTest : public ::testing::Test
{
protected:
  PsychroPageTest()
  {
    charts::CTDiagramSettings::Current().ChooseDiagramType(true);
    v_window.RunStartup();
    v_window.show();
    auto* pages = v_window.findChild<QTabWidget*>(QStringLiteral("Ctl_Pages"));
    pages->setCurrentWidget(v_window.findChild<QWidget*>(QStringLiteral("Tab_Psychrometrics")));
    QApplication::processEvents();
  }
  ~PsychroPageTest() override { charts::CTDiagramSettings::Current().ChooseDiagramType(true); }

  TFraPsychroPage& Page() { return *v_window.PsychroPage(); }
  TPsyGraphBox& Box() { return *Page().GraphBox(); }
  void Click(const char* szButton) { Page().findChild<QRadioButton*>(QString::fromLatin1(szButton))->click(); }

  // The pixel of the supply air on the chart shown.
  QPoint SupplyAirPixel()
  {
    const RepPsychroPoint& sa = v_window.Model()->CoolingResults().States.SA;
    const charts::CTWorldPoint d = Box().Diagram().AirToDevice(sa.DBT, sa.AH);
    return {int(std::lround(d.x)), int(std::lround(d.y))};
  }
  // The centre pixel of a state's disc.
  static QPoint Centre(const charts::DLPrimitive& disc)
  {
    return {(disc.points[0].x + disc.points[1].x - 1) / 2, (disc.points[0].y + disc.points[1].y - 1) / 2};
  }
  void MovePointer(QPoint pos)
  {
    QMouseEvent move(QEvent::MouseMove, pos, Box().mapToGlobal(QPointF(pos)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&Box(), &move);
  }

  QApplication& v_application = test::TestApplication();
  test::RecordingPrompts v_prompts;
  ScopedUserPrompts v_scoped{v_prompts};
  TDlgSelect v_window;
};

TEST_F(PsychroPageTest, ShowsTheSelectedUnitsChartAtTheBoxSizeAfterStartup)
{
  ASSERT_TRUE(v_window.Model()->CurrentBrisa());
  const charts::DisplayList& chart = Box().Chart();
  EXPECT_EQ(chart.width, Box().width());
  EXPECT_EQ(chart.height, Box().height());
  EXPECT_GT(chart.width, 300);
  EXPECT_TRUE(chart.Find("rh:100"));
  EXPECT_TRUE(chart.Find("process:RA-EA"));

  const QImage shown = Box().grab().toImage();
  int nInked = 0;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x)
      nInked += shown.pixelColor(x, y) != Qt::white;
  EXPECT_GT(nInked, 1000) << "the painted chart is blank";
}

TEST_F(PsychroPageTest, KindAndModeSwitchesRedrawTheChart)
{
  EXPECT_TRUE(Box().Diagram().IsPsychro());
  const QPoint psychroSA = SupplyAirPixel();
  Click("RB_Mollier");
  EXPECT_FALSE(Box().Diagram().IsPsychro());
  EXPECT_FALSE(charts::CTDiagramSettings::Current().DiagramType) << "the choice is kept for the next chart";
  EXPECT_NE(SupplyAirPixel(), psychroSA);

  const auto RoomAirOnChart = [&] { return Box().Chart().Find("state:RA")->world.front().DBT; };
  EXPECT_DOUBLE_EQ(RoomAirOnChart(), v_window.Model()->CoolingResults().States.RA.DBT);
  Click("RB_Heating");
  ASSERT_TRUE(v_window.Model()->HeatingResults().bComputed);
  EXPECT_DOUBLE_EQ(RoomAirOnChart(), v_window.Model()->HeatingResults().States.RA.DBT);
}

TEST_F(PsychroPageTest, AnInputTypedOnTheSelectionPageRedrawsTheChart)
{
  const double seaLevel = Box().Diagram().Air().GetTotalPressure();
  TFrm_UnitTextScroll& altitude = *v_window.SelectionPage()->Field("Frm_Altitude");
  altitude.Edit()->setText(QStringLiteral("2000"));
  altitude.Edit()->setModified(true);
  emit altitude.Edit()->editingFinished();
  ASSERT_EQ(v_window.Model()->Altitude().GetVal(), 2000);
  EXPECT_DOUBLE_EQ(Box().Diagram().Air().GetTotalPressure(), TAir(2000).GetTotalPressure());
  EXPECT_LT(Box().Diagram().Air().GetTotalPressure(), seaLevel);
}

// Coinciding states have one label, naming all of them (VO = SA here), and
// the pointer over their place reads those names.
TEST_F(PsychroPageTest, PointerOverAStateReadsItsNameAndItsExactValuesOnBothKinds)
{
  for (const char* kind : {"RB_Psychro", "RB_Mollier"}) {
    SCOPED_TRACE(kind);
    Click(kind);
    int nDiscs = 0;
    for (const charts::DLPrimitive& p : Box().Chart().items) {
      if (p.kind != charts::DLKind::Ellipse || !p.tag.starts_with("state:"))
        continue;
      ++nDiscs;
      MovePointer(Centre(p));
      EXPECT_TRUE(Page().Value("Txt_State").split(QStringLiteral(" = ")).contains(QString::fromStdString(p.tag.substr(6))))
        << Page().Value("Txt_State").toStdString() << " for " << p.tag;
    }
    EXPECT_GE(nDiscs, 3);

    // The mark around the state is painted over the chart while the pointer is there.
    const QPoint ra = Centre(*Box().Chart().Find("state:RA")), ring = ra + QPoint(6, 0);
    MovePointer(ra);
    EXPECT_EQ(Box().grab().toImage().pixelColor(ring), QColor(Qt::black));
    MovePointer({1, 1});
    EXPECT_NE(Box().grab().toImage().pixelColor(ring), QColor(Qt::black));

    // One pixel off the supply air still reads the supply air itself.
    MovePointer(SupplyAirPixel() + QPoint(1, 0));
    const RepPsychroPoint& sa = v_window.Model()->CoolingResults().States.SA;
    const charts::TAirPropDiagram& chart = Box().Diagram();
    const std::vector<charts::CTReadOutField> expected = charts::ReadOut(chart.Air(), sa.DBT, sa.AH, chart.DeltaEnthalpy());
    EXPECT_FALSE(Page().Value("Txt_State").isEmpty());
    EXPECT_EQ(Page().Value("Txt_DryBulb").toStdString(), expected[0].szValue);
    EXPECT_EQ(Page().Value("Txt_AH").toStdString(), expected[4].szValue);
    EXPECT_TRUE(Page().Value("Txt_RH").endsWith(QLatin1Char('%')));

    MovePointer({1, 1}); // the margin, outside the plot
    EXPECT_TRUE(Page().Value("Txt_State").isEmpty());
    EXPECT_TRUE(Page().Value("Txt_DryBulb").isEmpty());
  }
}

// A click on a legend swatch asks for the colour; the chosen one is kept in
// the settings and the chart is redrawn with it. A cancel changes nothing.
TEST_F(PsychroPageTest, AClickOnALegendSwatchChangesTheColourAndKeepsIt)
{
  const auto SwatchCentre = [&] {
    const charts::DLPrimitive* swatch = Box().Chart().Find("legend:2");
    return QPoint((swatch->points[0].x + swatch->points[1].x) / 2, (swatch->points[0].y + swatch->points[1].y) / 2);
  };
  v_prompts.colourAnswer = QColor(0, 0, 255);
  Box().ClickAt(SwatchCentre());
  ASSERT_EQ(v_prompts.colourRequests.size(), 1u);
  EXPECT_EQ(v_prompts.colourRequests[0].first, QColor(128, 0, 0)) << "starts at the entry's colour";
  EXPECT_EQ(v_prompts.colourRequests[0].second, QStringLiteral("Relative humidity"));
  EXPECT_EQ(Box().Chart().Find("legend:2")->brush.colour, 0xFF0000u);
  EXPECT_EQ(Box().Chart().Find("rh:50")->pen.colour, 0xFF0000u);
  EXPECT_EQ(platform::SettingsStore::User().ReadInteger(platform::kPreferencesKey, "ColorRH"), 0xFF0000);

  v_prompts.colourAnswer.reset();
  Box().ClickAt(SwatchCentre());
  EXPECT_EQ(v_prompts.colourRequests.size(), 2u);
  EXPECT_EQ(Box().Chart().Find("rh:50")->pen.colour, 0xFF0000u);
  charts::CTDiagramSettings::Current().RestoreRegistryDefaults();
  charts::CTDiagramSettings::Current().LegendToRegistry(platform::kPreferencesKey, platform::SettingsStore::User());
}

TEST_F(PsychroPageTest, SavesTheChartInTheFormatOfTheChosenFilesExtension)
{
  QTemporaryDir folder;
  const struct
  {
    const char* szName;
    QByteArray start;
  } cases[] = {{"chart.png", "\x89PNG"}, {"chart.SVG", "<"}, {"chart.pdf", "%PDF"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.szName);
    v_prompts.saveAnswer = folder.filePath(QString::fromLatin1(c.szName));
    Page().SaveChartAs();
    QFile file(v_prompts.saveAnswer);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith(c.start));
  }
  EXPECT_TRUE(v_prompts.messages.isEmpty()) << v_prompts.messages.join(QLatin1Char('\n')).toStdString();
  EXPECT_EQ(QImage(folder.filePath(QStringLiteral("chart.png"))).size(), 2 * Box().size());
}

TEST_F(PsychroPageTest, AFailedOrRefusedSaveSaysWhyAndACancelDoesNothing)
{
  QTemporaryDir folder;
  QFile blocker(folder.filePath(QStringLiteral("not-a-folder")));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  for (const QString& szFile : {blocker.fileName() + QStringLiteral("/chart.png"), folder.filePath(QStringLiteral("chart.bmp"))}) {
    SCOPED_TRACE(szFile.toStdString());
    v_prompts.messages.clear();
    v_prompts.saveAnswer = szFile;
    Page().SaveChartAs();
    ASSERT_EQ(v_prompts.messages.size(), 1);
    EXPECT_TRUE(v_prompts.messages.front().contains(szFile)) << v_prompts.messages.front().toStdString();
    EXPECT_FALSE(QFile::exists(szFile));
  }

  v_prompts.messages.clear();
  v_prompts.saveAnswer.clear();
  Page().SaveChartAs();
  EXPECT_TRUE(v_prompts.messages.isEmpty());
  EXPECT_EQ(v_prompts.saveRequests.back().szDefaultExtension, QStringLiteral("png"));
}

// "Configuration Screen..." opens the floating drawing of the unit without
// its limits; it shows on this page only and is gone once closed.
TEST_F(PsychroPageTest, TheConfigurationWindowFloatsOverThisPageOnly)
{
  Page().findChild<QPushButton*>(QStringLiteral("Btn_Configuration"))->click();
  QPointer<TFrm_Configuration> form = Page().ConfigurationWindow();
  ASSERT_TRUE(form);
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Configuration Conventions"));
  const charts::DisplayList& drawing = form->Drawing()->Drawing();
  EXPECT_TRUE(drawing.Find("caption:SA"));
  for (const charts::DLPrimitive& p : drawing.items)
    EXPECT_FALSE(p.tag.starts_with("limits:")) << p.tag;

  auto* pages = v_window.findChild<QTabWidget*>(QStringLiteral("Ctl_Pages"));
  pages->setCurrentWidget(v_window.findChild<QWidget*>(QStringLiteral("Tab_Selection")));
  EXPECT_FALSE(form->isVisible());
  pages->setCurrentWidget(v_window.findChild<QWidget*>(QStringLiteral("Tab_Psychrometrics")));
  EXPECT_TRUE(form->isVisible());

  Page().findChild<QPushButton*>(QStringLiteral("Btn_Configuration"))->click();
  EXPECT_EQ(Page().ConfigurationWindow(), form.data()) << "a second click raises the same window";
  form->CloseButton()->click();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(form) << "closing releases the window";
  EXPECT_EQ(Page().ConfigurationWindow(), nullptr);
}

} // namespace
} // namespace aw::app
