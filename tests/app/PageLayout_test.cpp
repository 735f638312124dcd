// The flow of columns and the pages built on it: on a laptop screen and on a
// full-HD screen at scale factor 2 every input and result of the Selection
// and Results pages lies within the page's width, per family.

#include "app/PageLayout.h"

#include "app/DlgSelect.h"
#include "app/ResultsPage.h"
#include "app/SelectionPage.h"

#include "RecordingPrompts.h"
#include "TestApplication.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace aw::app {
namespace {

TEST(FlowLayoutTest, WrapsWhatDoesNotFitAndNeedsNoMoreThanTheWidestItem)
{
  test::TestApplication();
  QWidget container;
  auto* flow = new TFlowLayout(&container);
  flow->setContentsMargins(0, 0, 0, 0);
  flow->setSpacing(10);
  std::vector<QWidget*> items;
  for (int width : {100, 100, 150}) {
    auto* item = new QWidget(&container);
    item->setMinimumSize(width, 40);
    item->setMaximumHeight(40);
    flow->addWidget(item);
    items.push_back(item);
  }
  EXPECT_EQ(flow->minimumSize().width(), 150);
  EXPECT_EQ(flow->sizeHint().width(), 370); // all in one row
  EXPECT_EQ(flow->heightForWidth(370), 40);
  EXPECT_EQ(flow->heightForWidth(250), 90); // the third wraps
  EXPECT_EQ(flow->heightForWidth(150), 140);

  flow->setGeometry(QRect(0, 0, 250, 90));
  EXPECT_EQ(items[0]->geometry(), QRect(0, 0, 120, 40)); // the room left is shared
  EXPECT_EQ(items[1]->geometry(), QRect(130, 0, 120, 40));
  EXPECT_EQ(items[2]->geometry(), QRect(0, 50, 250, 40)); // alone: the whole row

  items[1]->hide(); // a hidden item takes no place
  container.show();
  EXPECT_EQ(flow->heightForWidth(260), 40);
}

class PageLayoutTest : public ::testing::Test
{
protected:
  PageLayoutTest()
  {
    v_window.show();
    QApplication::processEvents(); // the start-up
  }

  void ChooseFamily(const char* szName)
  {
    QComboBox* family = v_window.SelectionPage()->Family();
    const int index = family->findText(QString::fromLatin1(szName));
    ASSERT_GE(index, 0) << szName;
    family->setCurrentIndex(index);
  }

  // The inputs and results of a page that lie outside its scroll area's width.
  std::string OutOfSight(const char* szPage)
  {
    auto* pages = v_window.findChild<QTabWidget*>(QStringLiteral("Ctl_Pages"));
    auto* page = v_window.findChild<QWidget*>(QString::fromLatin1(szPage));
    pages->setCurrentWidget(page);
    QApplication::processEvents();
    auto* scroll = page->findChild<QScrollArea*>(QStringLiteral("Scr_Page"));
    if (!scroll)
      return "no scroll area";
    QStringList outside;
    if (scroll->horizontalScrollBar()->maximum() > 0)
      outside << QStringLiteral("the page scrolls sideways by %1").arg(scroll->horizontalScrollBar()->maximum());
    QWidget* viewport = scroll->viewport();
    for (QWidget* widget : scroll->widget()->findChildren<QWidget*>()) {
      const bool shown = qobject_cast<QLabel*>(widget) || qobject_cast<QLineEdit*>(widget) ||
                         qobject_cast<QComboBox*>(widget) || qobject_cast<QAbstractButton*>(widget) ||
                         qobject_cast<QAbstractItemView*>(widget);
      if (!shown || !widget->isVisibleTo(scroll) || InsideAList(widget, scroll->widget()))
        continue;
      const int left = widget->mapTo(viewport, QPoint(0, 0)).x();
      if (left < 0 || left + widget->width() > viewport->width())
        outside << widget->objectName() + QStringLiteral(" (%1)").arg(widget->metaObject()->className());
    }
    return outside.join(QStringLiteral(", ")).toStdString();
  }

  // The rows of the solution list whose unit or speed text is cut short.
  std::string CutTexts()
  {
    auto* list = v_window.findChild<QTreeWidget*>(QStringLiteral("LV_SelectedDevices"));
    if (!list)
      return "no solution list";
    QStringList cut;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
      for (int c = 0; c < 3; ++c) {
        const QString text = list->topLevelItem(i)->text(c);
        if (list->fontMetrics().horizontalAdvance(text) > list->header()->sectionSize(c))
          cut << text;
      }
    return cut.join(QStringLiteral(", ")).toStdString();
  }

  static bool InsideAList(const QWidget* widget, const QWidget* content)
  {
    for (const QWidget* w = widget->parentWidget(); w && w != content; w = w->parentWidget())
      if (qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QComboBox*>(w))
        return true;
    return false;
  }

  QApplication& v_application = test::TestApplication();
  test::RecordingPrompts v_prompts;
  ScopedUserPrompts v_scoped{v_prompts};
  TDlgSelect v_window;
};

TEST_F(PageLayoutTest, EveryInputAndResultIsInSightWithoutScrollingSideways)
{
  // The room a window has on a 1366 × 768 laptop screen and on a full-HD
  // screen at scale factor 2 (960 × 540 logical pixels), each less a frame.
  const QSize sizes[] = {{1356, 700}, {950, 500}};
  for (const char* family : {"Brisa", "Dorsa", "Pelmar-MF"}) {
    ChooseFamily(family);
    ASSERT_TRUE(v_window.UnitSelected()) << family;
    for (const QSize& size : sizes) {
      SCOPED_TRACE(std::string(family) + " at " + std::to_string(size.width()) + "x" + std::to_string(size.height()));
      v_window.resize(size);
      QApplication::processEvents();
      EXPECT_EQ(v_window.width(), size.width()); // nothing keeps the window wider than its screen
      for (const char* page : {"Tab_Selection", "Tab_Results"})
        EXPECT_EQ(OutOfSight(page), "") << page;
      EXPECT_EQ(CutTexts(), "") << "the solution list shows its units and speeds whole";
    }
  }
}

TEST_F(PageLayoutTest, EveryTabStopShowsItsFocus)
{
  v_window.resize(1356, 700);
  v_window.activateWindow();
  // As after the Tab key: the styles draw the keyboard focus from then on.
  v_window.setAttribute(Qt::WA_KeyboardFocusChange);
  QApplication::processEvents();
  auto* pages = v_window.findChild<QTabWidget*>(QStringLiteral("Ctl_Pages"));
  for (const char* name : {"Tab_Selection", "Tab_Results", "Tab_Database"}) {
    auto* page = v_window.findChild<QWidget*>(QString::fromLatin1(name));
    pages->setCurrentWidget(page);
    // An empty list too, as a unit without used options has.
    v_window.ResultsPage()->UsedOptions()->clear();
    QApplication::processEvents();
    auto* scroll = page->findChild<QScrollArea*>(QStringLiteral("Scr_Page"));
    for (QWidget* stop : page->findChildren<QWidget*>()) {
      if (!(stop->focusPolicy() & Qt::TabFocus) || !stop->isVisibleTo(page) || !stop->isEnabled() || stop->focusProxy())
        continue;
      SCOPED_TRACE(std::string(name) + " " + stop->objectName().toStdString() + " (" +
                   stop->metaObject()->className() + ")");
      scroll->ensureWidgetVisible(stop);
      stop->clearFocus();
      QApplication::processEvents();
      const QRect around = QRect(stop->mapTo(&v_window, QPoint(0, 0)), stop->size()).adjusted(-4, -4, 4, 4);
      const QImage unfocused = v_window.grab(around).toImage();
      stop->setFocus(Qt::TabFocusReason);
      QApplication::processEvents();
      ASSERT_EQ(QApplication::focusWidget(), stop);
      EXPECT_NE(v_window.grab(around).toImage(), unfocused);
    }
  }
}

} // namespace
} // namespace aw::app
