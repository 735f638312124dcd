#include "app/PageLayout.h"

#include <QScrollArea>
#include <QVBoxLayout>

namespace aw::app {

QWidget* ScrollingContent(QWidget* page)
{
  auto* outer = new QVBoxLayout(page);
  outer->setContentsMargins(0, 0, 0, 0);
  auto* scroll = new QScrollArea(page);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  outer->addWidget(scroll);
  auto* content = new QWidget(scroll);
  scroll->setWidget(content);
  return content;
}

} // namespace aw::app
