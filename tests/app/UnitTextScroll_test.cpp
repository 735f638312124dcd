// The keyboard on the number fields of the Selection page: Return takes the
// value and moves on as Tab does; the arrow and page keys step the value.

#include "app/UnitTextScroll.h"

#include "app/DlgSelect.h"
#include "app/SelectionPage.h"
#include "engine/SelectionModel.h"

#include "RecordingPrompts.h"
#include "TestApplication.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace aw::app {
namespace {

class UnitTextScrollTest : public ::testing::Test
{
protected:
  UnitTextScrollTest()
  {
    v_window.show();
    v_window.activateWindow();
    QApplication::processEvents(); // the start-up
  }

  QLineEdit* Edit(const char* szField) { return v_window.SelectionPage()->Field(szField)->Edit(); }
  static void Press(QWidget* widget, int nKey)
  {
    QKeyEvent press(QEvent::KeyPress, nKey, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
  }
  static void Focus(QLineEdit* edit)
  {
    edit->setFocus(Qt::OtherFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), edit);
  }

  QApplication& v_application = test::TestApplication();
  test::RecordingPrompts v_prompts;
  ScopedUserPrompts v_scoped{v_prompts};
  TDlgSelect v_window;
};

TEST_F(UnitTextScrollTest, ReturnTakesTheValueAndMovesOnAsTabDoes)
{
  const struct
  {
    const char* field;
    const char* typed;
    const char* shown;
  } cases[] = {{"Frm_Airflow", "25", "25.0"}, {"Frm_RoomSurface", "120", "120"},
               {"Frm_DesignSupplyESP", "180", "180.0"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field);
    QLineEdit* edit = Edit(c.field);
    Focus(edit);
    Press(edit, Qt::Key_Tab);
    QWidget* next = QApplication::focusWidget();
    ASSERT_NE(next, edit);

    Focus(edit);
    edit->setText(QString::fromLatin1(c.typed));
    edit->setModified(true);
    Press(edit, Qt::Key_Return);
    EXPECT_EQ(edit->text(), QString::fromLatin1(c.shown));
    EXPECT_EQ(QApplication::focusWidget(), next) << QApplication::focusWidget()->objectName().toStdString();
  }
  // After the supply pressure comes the exhaust pressure.
  EXPECT_EQ(QApplication::focusWidget(), Edit("Frm_DesignExhaustESP"));
  EXPECT_EQ(v_window.Model()->DesignSupplyESP().GetVal(), 180);
}

TEST_F(UnitTextScrollTest, ArrowAndPageKeysStepTheValueByItsResolution)
{
  QLineEdit* esp = Edit("Frm_DesignSupplyESP");
  Focus(esp);
  ASSERT_EQ(esp->text(), QStringLiteral("150.0"));
  const struct
  {
    int key;
    const char* shown;
  } steps[] = {{Qt::Key_Up, "150.1"}, {Qt::Key_Up, "150.2"}, {Qt::Key_Down, "150.1"},
               {Qt::Key_PageDown, "149.1"}, {Qt::Key_PageUp, "150.1"}};
  for (const auto& step : steps) {
    Press(esp, step.key);
    EXPECT_EQ(esp->text(), QString::fromLatin1(step.shown));
  }
  EXPECT_NEAR(v_window.Model()->DesignSupplyESP().GetVal(), 150.1, 1e-9);
  EXPECT_TRUE(v_window.DataHaveChanged());

  // A typed value is taken first, and the step goes from it.
  esp->setText(QStringLiteral("200"));
  esp->setModified(true);
  Press(esp, Qt::Key_Up);
  EXPECT_EQ(esp->text(), QStringLiteral("200.1"));
}

} // namespace
} // namespace aw::app
