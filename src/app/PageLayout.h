#pragma once
// Pages whose content may be taller than the window scroll as a whole.

class QWidget;

namespace aw::app {

// Fills page with a frameless scroll area and answers the widget inside it,
// on which the page lays out its content.
QWidget* ScrollingContent(QWidget* page);

} // namespace aw::app
