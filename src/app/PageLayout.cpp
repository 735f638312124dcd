#include "app/PageLayout.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusFrame>
#include <QScrollArea>
#include <QStyleOptionGroupBox>
#include <QStylePainter>
#include <QVBoxLayout>

#include <algorithm>

namespace aw::app {
namespace {

constexpr int kDefaultSpacing = 6;

int PreferredWidth(const QLayoutItem* item)
{
  return std::max(item->sizeHint().width(), item->minimumSize().width());
}

int WidestPreferred(const QList<QLayoutItem*>& items)
{
  int widest = 0;
  for (const QLayoutItem* item : items)
    widest = std::max(widest, PreferredWidth(item));
  return widest;
}

int HeightAt(const QLayoutItem* item, int nWidth)
{
  const int height = item->hasHeightForWidth() ? item->heightForWidth(nWidth) : item->sizeHint().height();
  return std::max(height, item->minimumSize().height());
}

// Only a widget that asks to expand takes the room left over: a box whose
// inner layout could stretch keeps its preferred width beside it.
bool Expands(const QLayoutItem* item)
{
  if (const QWidget* widget = item->widget())
    return widget->sizePolicy().horizontalPolicy() & QSizePolicy::ExpandFlag;
  return item->expandingDirections() & Qt::Horizontal;
}

// Shares nExtra out among the chosen widths, the first ones taking the rest.
void Share(std::vector<int>& widths, const std::vector<bool>& chosen, int nExtra)
{
  const int n = int(std::count(chosen.begin(), chosen.end(), true));
  for (std::size_t i = 0, k = 0; i < widths.size() && n > 0; ++i)
    if (chosen[i])
      widths[i] += nExtra / n + (int(k++) < nExtra % n ? 1 : 0);
}

} // namespace

QWidget* ScrollingContent(QWidget* page)
{
  auto* outer = new QVBoxLayout(page);
  outer->setContentsMargins(0, 0, 0, 0);
  auto* scroll = new QScrollArea(page);
  scroll->setObjectName(QStringLiteral("Scr_Page"));
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  // The page's own background shows through, as on a page that does not scroll.
  scroll->viewport()->setAutoFillBackground(false);
  // The area itself is no tab stop: it would take the focus without showing it.
  scroll->setFocusPolicy(Qt::NoFocus);
  outer->addWidget(scroll);
  auto* content = new QWidget(scroll->viewport());
  content->setObjectName(QStringLiteral("Pnl_PageContent"));
  scroll->setWidget(content);
  content->setAutoFillBackground(false); // setWidget turned it on
  return content;
}

void FrameFocusedLists(QWidget* window)
{
  auto* frame = new QFocusFrame(window);
  frame->setObjectName(QStringLiteral("Frm_ListFocus"));
  QPalette palette = frame->palette();
  palette.setColor(QPalette::WindowText, palette.color(QPalette::Highlight));
  frame->setPalette(palette);
  QObject::connect(qApp, &QApplication::focusChanged, frame, [frame, window](QWidget*, QWidget* now) {
    auto* list = qobject_cast<QAbstractItemView*>(now);
    frame->setWidget(list && list->window() == window ? list : nullptr);
  });
}

THeadingBox::THeadingBox(const QString& szTitle, QWidget* parent) : QGroupBox(szTitle, parent)
{
}

void THeadingBox::paintEvent(QPaintEvent*)
{
  QStylePainter painter(this);
  QStyleOptionGroupBox option;
  initStyleOption(&option);
  option.subControls &= ~QStyle::SC_GroupBoxFrame;
  painter.drawComplexControl(QStyle::CC_GroupBox, option);
}

TFlowLayout::TFlowLayout(QWidget* parent, int nPreferredPerRow, TColumns columns)
  : QLayout(parent), v_preferredPerRow(nPreferredPerRow), v_columns(columns)
{
}

TFlowLayout::~TFlowLayout()
{
  while (QLayoutItem* item = takeAt(0))
    delete item;
}

void TFlowLayout::addItem(QLayoutItem* item)
{
  v_items.append(item);
  invalidate();
}

int TFlowLayout::count() const
{
  return int(v_items.size());
}

QLayoutItem* TFlowLayout::itemAt(int nIndex) const
{
  return nIndex >= 0 && nIndex < v_items.size() ? v_items[nIndex] : nullptr;
}

QLayoutItem* TFlowLayout::takeAt(int nIndex)
{
  if (nIndex < 0 || nIndex >= v_items.size())
    return nullptr;
  QLayoutItem* item = v_items.takeAt(nIndex);
  invalidate();
  return item;
}

Qt::Orientations TFlowLayout::expandingDirections() const
{
  for (const QLayoutItem* item : VisibleItems())
    if (Expands(item))
      return Qt::Horizontal;
  return {};
}

int TFlowLayout::Spacing() const
{
  const int nSpacing = spacing();
  return nSpacing >= 0 ? nSpacing : kDefaultSpacing;
}

QList<QLayoutItem*> TFlowLayout::VisibleItems() const
{
  QList<QLayoutItem*> items;
  for (QLayoutItem* item : v_items)
    if (!item->isEmpty())
      items.append(item);
  return items;
}

int TFlowLayout::heightForWidth(int nWidth) const
{
  return Arrange(QRect(0, 0, nWidth, 0), false);
}

QSize TFlowLayout::minimumSize() const
{
  QSize size;
  for (const QLayoutItem* item : VisibleItems())
    size = size.expandedTo(item->minimumSize());
  const QMargins margins = contentsMargins();
  return size + QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

QSize TFlowLayout::sizeHint() const
{
  const QList<QLayoutItem*> items = VisibleItems();
  const qsizetype perRow = v_preferredPerRow > 0 ? std::min<qsizetype>(v_preferredPerRow, items.size()) : items.size();
  const int widest = WidestPreferred(items);
  int width = 0;
  for (qsizetype i = 0; i < perRow; ++i)
    width += (v_columns == TColumns::Uniform ? widest : PreferredWidth(items[i])) + (i > 0 ? Spacing() : 0);
  const QMargins margins = contentsMargins();
  width += margins.left() + margins.right();
  return {width, heightForWidth(width)};
}

void TFlowLayout::setGeometry(const QRect& rect)
{
  QLayout::setGeometry(rect);
  Arrange(rect, true);
}

int TFlowLayout::UniformColumns(const QList<QLayoutItem*>& items, int nWidth) const
{
  const int widest = WidestPreferred(items);
  const int columns = (nWidth + Spacing()) / std::max(1, widest + Spacing());
  return std::clamp(columns, 1, std::max(1, int(items.size())));
}

qsizetype TFlowLayout::RowEnd(const QList<QLayoutItem*>& items, qsizetype nFirst, int nWidth) const
{
  if (v_columns == TColumns::Uniform)
    return std::min(items.size(), nFirst + UniformColumns(items, nWidth));
  qsizetype end = nFirst + 1;
  int used = PreferredWidth(items[nFirst]);
  while (end < items.size() && used + Spacing() + PreferredWidth(items[end]) <= nWidth)
    used += Spacing() + PreferredWidth(items[end++]);
  return end;
}

std::vector<int> TFlowLayout::RowWidths(const QList<QLayoutItem*>& row, int nWidth) const
{
  if (v_columns == TColumns::Uniform) {
    const int columns = UniformColumns(VisibleItems(), nWidth);
    const int width = std::max((nWidth - Spacing() * (columns - 1)) / columns, 0);
    std::vector<int> widths;
    for (const QLayoutItem* item : row)
      widths.push_back(std::max(width, item->minimumSize().width()));
    return widths;
  }
  if (row.size() == 1) {
    const QLayoutItem* item = row.front();
    const int least = item->minimumSize().width();
    return {std::clamp(nWidth, least, std::max(least, item->maximumSize().width()))};
  }
  std::vector<int> widths;
  std::vector<bool> expanding;
  int used = Spacing() * int(row.size() - 1);
  for (const QLayoutItem* item : row) {
    widths.push_back(PreferredWidth(item));
    expanding.push_back(Expands(item));
    used += widths.back();
  }
  if (std::none_of(expanding.begin(), expanding.end(), [](bool b) { return b; }))
    expanding.assign(expanding.size(), true);
  Share(widths, expanding, std::max(0, nWidth - used));
  return widths;
}

int TFlowLayout::Arrange(const QRect& rect, bool bApply) const
{
  const QMargins margins = contentsMargins();
  const QRect area = rect.marginsRemoved(margins);
  const QList<QLayoutItem*> items = VisibleItems();
  int y = area.y();
  for (qsizetype first = 0; first < items.size();) {
    const qsizetype end = RowEnd(items, first, area.width());
    const QList<QLayoutItem*> row = items.mid(first, end - first);
    const std::vector<int> widths = RowWidths(row, area.width());
    int rowHeight = 0;
    for (qsizetype i = 0; i < row.size(); ++i)
      rowHeight = std::max(rowHeight, HeightAt(row[i], widths[std::size_t(i)]));
    if (bApply) {
      int x = area.x();
      for (qsizetype i = 0; i < row.size(); ++i) {
        row[i]->setGeometry(QRect(x, y, widths[std::size_t(i)], rowHeight));
        x += widths[std::size_t(i)] + Spacing();
      }
    }
    y += rowHeight + (end < items.size() ? Spacing() : 0);
    first = end;
  }
  return y - area.y() + margins.top() + margins.bottom();
}

} // namespace aw::app
