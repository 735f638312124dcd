#include "app/FrameBottomPanelExt.h"

#include "app/BasicDialog.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include <optional>

namespace aw::app {
namespace {

std::optional<bool>& UseSystemFont()
{
  static std::optional<bool> use;
  return use;
}

// The part of a hint after "|", or the whole hint.
QString LongHint(const QString& szHint)
{
  const qsizetype bar = szHint.indexOf(QLatin1Char('|'));
  return bar < 0 ? szHint : szHint.mid(bar + 1);
}

QString HintOf(const QWidget* widget)
{
  return widget->statusTip().isEmpty() ? widget->toolTip() : widget->statusTip();
}

} // namespace

TFraBottomPanelExt::TFraBottomPanelExt(QWidget* owner) : QFrame(owner), v_owner(owner)
{
  setObjectName(QStringLiteral("Pnl_Bottom"));
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);

  Pnl_Buttons = new QWidget(this);
  Pnl_Buttons->setObjectName(QStringLiteral("Pnl_Buttons"));
  auto* row = new QHBoxLayout(Pnl_Buttons);
  row->addStretch();
  Btn_OK = new QPushButton(QStringLiteral("&OK"), Pnl_Buttons);
  Btn_OK->setObjectName(QStringLiteral("Btn_OK"));
  Btn_OK->setToolTip(QStringLiteral("Commit changes and close window"));
  Btn_OK->setDefault(true);
  Btn_Cancel = new QPushButton(QStringLiteral("&Cancel"), Pnl_Buttons);
  Btn_Cancel->setObjectName(QStringLiteral("Btn_Cancel"));
  Btn_Cancel->setToolTip(QStringLiteral("Reject changes and close window"));
  row->addWidget(Btn_OK);
  row->addWidget(Btn_Cancel);

  Lbl_RO = new QLabel(QStringLiteral("&Close"), this);
  Lbl_RO->setObjectName(QStringLiteral("Lbl_RO"));
  Lbl_RO->setToolTip(QStringLiteral("Close the window"));
  Lbl_RO->hide();

  Ctl_StatusBar = new QLabel(this);
  Ctl_StatusBar->setObjectName(QStringLiteral("Ctl_StatusBar"));
  Ctl_StatusBar->setAlignment(Qt::AlignCenter);
  Ctl_StatusBar->setFrameShape(QFrame::Panel);
  Ctl_StatusBar->setFrameShadow(QFrame::Sunken);
  if (UseSystemFont() && *UseSystemFont())
    Ctl_StatusBar->setFont(QApplication::font());

  column->addWidget(Pnl_Buttons);
  column->addWidget(Ctl_StatusBar);

  connect(Btn_OK, &QPushButton::clicked, this, &TFraBottomPanelExt::Btn_OKClick);
  connect(Btn_Cancel, &QPushButton::clicked, this, &TFraBottomPanelExt::Btn_CancelClick);

  if (const TBasicDialog* dialog = OwnerDialog(); dialog && dialog->ReadOnly())
    UseOKOnly(true);
}

void TFraBottomPanelExt::AddLeftButton(QPushButton* button)
{
  button->setParent(Pnl_Buttons);
  static_cast<QHBoxLayout*>(Pnl_Buttons->layout())->insertWidget(0, button);
}

TBasicDialog* TFraBottomPanelExt::OwnerDialog() const
{
  return qobject_cast<TBasicDialog*>(v_owner);
}

void TFraBottomPanelExt::UseOKOnly(bool bReplaceCaption)
{
  // The row is right-aligned, so OK moves into Cancel's place.
  Btn_Cancel->hide();
  if (bReplaceCaption) {
    Btn_OK->setText(Lbl_RO->text());
    Btn_OK->setToolTip(Lbl_RO->toolTip());
  }
}

void TFraBottomPanelExt::Btn_OKClick()
{
  if (TBasicDialog* dialog = OwnerDialog())
    dialog->Btn_OKClick();
}

void TFraBottomPanelExt::Btn_CancelClick()
{
  if (TBasicDialog* dialog = OwnerDialog())
    dialog->Btn_CancelClick();
}

void TFraBottomPanelExt::GlobalOnEnter(QObject* sender)
{
  DoGlobalOnEnter(sender, Ctl_StatusBar, v_hintPanelIndex);
}

void TFraBottomPanelExt::SetCtlBarSysFont(bool bUseSystemFont)
{
  UseSystemFont() = bUseSystemFont;
}

void TFraBottomPanelExt::SetHintText(const QString& szText, QWidget* statusBar, int nPanelIndex)
{
  if (auto* label = qobject_cast<QLabel*>(statusBar); label && nPanelIndex == 0)
    label->setText(szText);
  else if (auto* bar = qobject_cast<QStatusBar*>(statusBar); bar && nPanelIndex == 0)
    bar->showMessage(szText);
}

void TFraBottomPanelExt::DoGlobalOnEnter(QObject* sender, QWidget* statusBar, int nPanelIndex)
{
  if (auto* widget = qobject_cast<QWidget*>(sender)) {
    // Plain containers play the part of frames.
    const QMetaObject* kind = widget->metaObject();
    const bool isFormOrFrame = widget->isWindow() || kind == &QFrame::staticMetaObject ||
                               kind == &QWidget::staticMetaObject || qobject_cast<TFraBottomPanelExt*>(widget);
    if (isFormOrFrame && HintOf(widget).isEmpty())
      return;
    SetHintText(LongHint(HintOf(widget)), statusBar, nPanelIndex);
  } else if (auto* action = qobject_cast<QAction*>(sender)) {
    SetHintText(LongHint(action->statusTip().isEmpty() ? action->toolTip() : action->statusTip()), statusBar,
                nPanelIndex);
  } else {
    SetHintText(QString(), statusBar, nPanelIndex);
  }
}

void TFraBottomPanelExt::GlobalOnEnterForForm(QWidget* form, QObject* sender)
{
  if (!form)
    return;
  if (auto* panel = form->findChild<TFraBottomPanelExt*>())
    panel->GlobalOnEnter(sender);
}

} // namespace aw::app
