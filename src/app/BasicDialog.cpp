#include "app/BasicDialog.h"

#include "app/FrameBottomPanelExt.h"
#include "i18n/BaseMsgMan.h"
#include "i18n/MessageTexts.h"
#include "platform/CaseFolding.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStyle>
#include <QTabWidget>
#include <QTreeWidget>

namespace aw::app {
namespace {

CTBasicDialogLoadedHook& LoadedHook()
{
  static CTBasicDialogLoadedHook hook;
  return hook;
}

// Shows the hint of the control the pointer enters in the form's bottom panel.
class MouseHintFilter : public QObject
{
public:
  using QObject::QObject;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override
  {
    if (event->type() == QEvent::Enter || event->type() == QEvent::FocusIn)
      if (auto* widget = qobject_cast<QWidget*>(watched))
        TFraBottomPanelExt::GlobalOnEnterForForm(widget->window(), widget);
    return false;
  }
};

const QColor kListBackground(247, 249, 255);

} // namespace

TBasicDialog::TBasicDialog(QWidget* owner, bool bReadOnly)
  : QDialog(owner), v_readOnly(bReadOnly), v_typedSelf(this)
{
}

void TBasicDialog::Loaded()
{
  if (v_loaded)
    return;
  v_loaded = true;
  // A design smaller than its own minimum keeps its design size.
  if (width() < minimumWidth())
    setMinimumWidth(width());
  if (height() < minimumHeight())
    setMinimumHeight(height());
  CallLoadedHook(this);
  InitDialog();
}

int TBasicDialog::Execute()
{
  Loaded();
  exec();
  return v_retCode;
}

void TBasicDialog::DoCloseWindow(int nCode)
{
  if (nCode == i18n::kReturnOK && !ValidateOK(nCode))
    return;
  v_retCode = nCode;
  done(nCode);
}

void TBasicDialog::reject()
{
  done(v_retCode);
}

void TBasicDialog::showEvent(QShowEvent* event)
{
  Loaded();
  QDialog::showEvent(event);
}

void TBasicDialog::InitDialog()
{
  if (v_readOnly) {
    setWindowTitle(windowTitle() + " (" + QString::fromStdString(i18n::GetUnicodeString(i18n::kMsgReadOnly)) + ")");
    for (auto* button : findChildren<QAbstractButton*>())
      if (platform::EqualsIgnoreCase(button->objectName().toStdString(), "Btn_Cancel"))
        button->hide();
  }
  InitMouseHints(this);
  AfterInitDialog();
}

bool TBasicDialog::ValidateOK(int)
{
  return true;
}

void TBasicDialog::NrFieldChange(QLineEdit* edit)
{
  DoNrFieldChange(edit);
}

void TBasicDialog::DoNrFieldChange(QLineEdit* edit)
{
  // Only the user's typing is filtered, not texts the program puts in.
  if (!edit || QApplication::focusWidget() != edit)
    return;
  const QString filtered = QString::fromStdString(i18n::CheckNumber(edit->text().toStdString()));
  if (filtered == edit->text())
    return;
  const int caret = edit->cursorPosition();
  edit->setText(filtered);
  edit->setCursorPosition(std::min(caret, static_cast<int>(filtered.size())));
}

void TBasicDialog::SetLoadedHook(CTBasicDialogLoadedHook hook)
{
  LoadedHook() = std::move(hook);
}

void TBasicDialog::CallLoadedHook(QWidget* top)
{
  if (LoadedHook() && top)
    LoadedHook()(top);
}

void TBasicDialog::InitMouseHints(QWidget* top)
{
  if (!top)
    return;
  static const char* kFilterName = "aw_MouseHintFilter";
  auto* filter = top->findChild<MouseHintFilter*>(QString::fromLatin1(kFilterName), Qt::FindDirectChildrenOnly);
  if (!filter) {
    filter = new MouseHintFilter(top);
    filter->setObjectName(QString::fromLatin1(kFilterName));
  }
  for (QWidget* control : top->findChildren<QWidget*>())
    if (!control->toolTip().isEmpty() || !control->statusTip().isEmpty()) {
      control->removeEventFilter(filter);
      control->installEventFilter(filter);
    }
}

void TBasicDialog::EnableWinControl(QWidget* control, bool bEnable)
{
  // Qt disables the children of a disabled widget with it.
  if (control)
    control->setEnabled(bEnable);
}

void TBasicDialog::SafeFocusControl(QWidget* control)
{
  if (!control || !control->window()->isVisible())
    return;
  for (QWidget* child = control; child && !child->isWindow(); child = child->parentWidget()) {
    auto* stack = qobject_cast<QStackedWidget*>(child->parentWidget());
    auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    if (!tabs)
      continue;
    const int index = tabs->indexOf(child);
    if (index < 0 || !tabs->isTabVisible(index))
      return;
    tabs->setCurrentIndex(index);
  }
  control->setFocus(Qt::OtherFocusReason);
}

void TBasicDialog::ShowInMemo(const QString& szText, QPlainTextEdit* memo, int nMaxLines)
{
  if (!memo)
    return;
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QString text = szText;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  memo->setPlainText(text);

  const QFontMetrics metrics(memo->font());
  const int lineHeight = metrics.height() + 1;
  const int margins = 2 * static_cast<int>(memo->document()->documentMargin()) + 2 * memo->frameWidth();
  const int textWidth = std::max(1, memo->width() - margins);
  const QRect bounds = metrics.boundingRect(QRect(0, 0, textWidth, 1 << 20), Qt::TextWordWrap, text);
  int lines = std::max(1, (bounds.height() + metrics.lineSpacing() - 1) / metrics.lineSpacing());
  if (lines > nMaxLines) {
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    lines = nMaxLines;
  }
  memo->setFixedHeight(lines * lineHeight + margins);
}

void TBasicDialog::CalculateListColumnWidths(QTreeWidget* list, int nMaxWidth, bool bCollapseEmpty)
{
  if (!list)
    return;
  const QFontMetrics metrics(list->font());
  const int dpi = list->logicalDpiX();
  const int pad = metrics.horizontalAdvance(QLatin1Char('W')) + (dpi < 120 ? 6 : 2);
  const int iconWidth = list->iconSize().isValid() ? list->iconSize().width() : 0;
  const int columns = list->columnCount();
  for (int c = 0; c < columns; ++c) {
    int width = metrics.horizontalAdvance(list->headerItem()->text(c));
    bool anyText = false;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      const QTreeWidgetItem* item = list->topLevelItem(i);
      int cell = metrics.horizontalAdvance(item->text(c));
      if (!item->icon(c).isNull())
        cell += iconWidth + pad;
      width = std::max(width, cell);
      anyText = anyText || !item->text(c).isEmpty();
    }
    if (c == 0 && list->topLevelItemCount() > 0 && (list->topLevelItem(0)->flags() & Qt::ItemIsUserCheckable))
      width += metrics.height() + pad / 2;
    width += pad;
    if (nMaxWidth > 0)
      width = std::min(width, nMaxWidth);
    if (bCollapseEmpty && c > 0 && !anyText)
      width = 0;
    list->setColumnWidth(c, width);
  }
}

void TBasicDialog::CalcComboBoxDropdownWidth(QComboBox* combo, bool bAdaptWidth)
{
  if (!combo)
    return;
  const QFontMetrics metrics(combo->font());
  int widest = 0;
  for (int i = 0; i < combo->count(); ++i)
    widest = std::max(widest, metrics.horizontalAdvance(combo->itemText(i)));
  int dropDown = widest + 8;
  // The list ends 2 pixels inside the window.
  if (QWidget* top = combo->window(); top && top != combo) {
    const int left = combo->mapTo(top, QPoint(0, 0)).x();
    dropDown = std::min(dropDown, top->width() - 2 - left);
  }
  if (dropDown <= combo->width())
    return;
  const int scrollBar = combo->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  if (combo->count() > combo->maxVisibleItems())
    dropDown += scrollBar;
  combo->view()->setMinimumWidth(dropDown);
  if (bAdaptWidth)
    combo->setMinimumWidth(dropDown + scrollBar);
}

void TBasicDialog::CalcComboBoxDropdownWidths()
{
  for (QComboBox* combo : findChildren<QComboBox*>())
    CalcComboBoxDropdownWidth(combo, false);
}

void TBasicDialog::AdaptFormToAvailableWorkArea(QWidget* form)
{
  if (!form)
    return;
  QScreen* screen = QGuiApplication::screenAt(form->frameGeometry().center());
  if (!screen)
    screen = form->screen();
  if (!screen)
    return;
  const QRect area = screen->availableGeometry();
  QRect frame = form->frameGeometry();
  const QSize extra = frame.size() - form->size(); // the window's frame

  auto fit = [](int& pos, int& size, int areaStart, int areaSize) {
    if (pos < areaStart || size > areaSize)
      pos = areaStart;
    if (pos + size > areaStart + areaSize) {
      if (size > areaSize)
        size = areaSize;
      else
        pos = areaStart + areaSize - size;
    }
  };
  int left = frame.left(), width = frame.width(), top = frame.top(), height = frame.height();
  fit(left, width, area.left(), area.width());
  fit(top, height, area.top(), area.height());
  if (width != frame.width() || height != frame.height())
    form->resize(width - extra.width(), height - extra.height());
  if (left != frame.left() || top != frame.top())
    form->move(left, top);
}

void TBasicDialog::AdaptListBackground(QWidget* top)
{
  if (!top)
    return;
  const QColor plain = QApplication::palette().color(QPalette::Base);
  auto tint = [&](QAbstractItemView* view) {
    QPalette palette = view->palette();
    if (palette.color(QPalette::Base) != plain)
      return;
    palette.setColor(QPalette::Base, kListBackground);
    view->setPalette(palette);
  };
  for (QListWidget* list : top->findChildren<QListWidget*>())
    tint(list);
  for (QTreeWidget* list : top->findChildren<QTreeWidget*>())
    if (!list->isHeaderHidden())
      tint(list);
}

} // namespace aw::app
