#pragma once
// The one way every page is laid out: a frameless scroll area that scrolls
// only downwards, and a flow of columns that wraps to the width it is given,
// so that a small or scaled screen shows every column without scrolling
// sideways.

#include <QGroupBox>
#include <QLayout>
#include <QList>

#include <vector>

class QWidget;

namespace aw::app {

// Fills page with a frameless scroll area and answers the widget inside it,
// on which the page lays out its content. The content is never wider than
// the page: its columns wrap instead (TFlowLayout).
QWidget* ScrollingContent(QWidget* page);

// Lists show no focus of their own while they have no current row: in the
// window, a focused list gets a frame in the highlight colour, so that every
// tab stop shows where the focus is.
void FrameFocusedLists(QWidget* window);

// A group box drawn as a heading: its title without a frame, so that the
// frames inside it are not framed twice.
class THeadingBox : public QGroupBox
{
  Q_OBJECT

public:
  explicit THeadingBox(const QString& szTitle, QWidget* parent = nullptr);

protected:
  void paintEvent(QPaintEvent* event) override;
};

// Lays its items out in rows that wrap to the width given. With natural
// columns a row takes the next items that fit side by side at their
// preferred widths (at least one item) and gives the width left over to its
// expanding items (to all of them when none expands); with uniform columns
// every item gets the same width, as many columns as fit at the widest
// preferred width. An item alone on a row narrower than its preferred width
// shrinks towards its minimum, so the layout needs no more width than the
// widest minimum of its items. Hidden items take no place.
class TFlowLayout : public QLayout
{
public:
  enum class TColumns { Natural, Uniform };

  // nPreferredPerRow: how many items side by side the layout asks for (its
  // size hint); 0 asks for all of them in one row.
  explicit TFlowLayout(QWidget* parent = nullptr, int nPreferredPerRow = 0, TColumns columns = TColumns::Natural);
  ~TFlowLayout() override;

  void addItem(QLayoutItem* item) override;
  int count() const override;
  QLayoutItem* itemAt(int nIndex) const override;
  QLayoutItem* takeAt(int nIndex) override;
  Qt::Orientations expandingDirections() const override;
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int nWidth) const override;
  QSize minimumSize() const override;
  QSize sizeHint() const override;
  void setGeometry(const QRect& rect) override;

private:
  // Places the items in rect (when bApply) and answers the height they take.
  int Arrange(const QRect& rect, bool bApply) const;
  // The items of the row that starts at nFirst, and their widths.
  qsizetype RowEnd(const QList<QLayoutItem*>& items, qsizetype nFirst, int nWidth) const;
  std::vector<int> RowWidths(const QList<QLayoutItem*>& row, int nWidth) const;
  int UniformColumns(const QList<QLayoutItem*>& items, int nWidth) const;
  int Spacing() const;
  QList<QLayoutItem*> VisibleItems() const;

  QList<QLayoutItem*> v_items;
  int v_preferredPerRow = 0;
  TColumns v_columns = TColumns::Natural;
};

} // namespace aw::app
