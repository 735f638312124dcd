#include "app/UnitTextScroll.h"

#include "engine/SelectionView.h"

#include "air/NumberFormat.h"
#include "engine/SelectionInputs.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace aw::app {

TFrm_UnitTextScroll::TFrm_UnitTextScroll(const QString& szCaption, QWidget* parent) : QWidget(parent)
{
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  Lbl_Caption = new QLabel(szCaption, this);
  Lbl_Caption->setObjectName(QStringLiteral("Lbl_Caption"));
  Txt_Value = new QLineEdit(this);
  Txt_Value->setObjectName(QStringLiteral("Txt_Value"));
  // Only a number can be typed; its length is not limited, so that a heater
  // of 100000 BTU/h or an airflow of 18835 CFM fits.
  Txt_Value->setValidator(
    new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^-?[0-9]*([.,][0-9]*)?$")), Txt_Value));
  Txt_Value->setAlignment(Qt::AlignRight);
  Txt_Value->setFixedWidth(Txt_Value->fontMetrics().horizontalAdvance(QStringLiteral("0000000.00")));
  Scr_Value = new QScrollBar(Qt::Vertical, this);
  Scr_Value->setObjectName(QStringLiteral("Scr_Value"));
  Scr_Value->setInvertedAppearance(true); // up is more
  Scr_Value->setFixedHeight(Txt_Value->sizeHint().height());
  Lbl_Unit = new QLabel(this);
  Lbl_Unit->setObjectName(QStringLiteral("Lbl_Unit"));
  Lbl_Unit->setMinimumWidth(Lbl_Unit->fontMetrics().horizontalAdvance(QStringLiteral("BTU/lbs")));
  layout->addWidget(Lbl_Caption, 1);
  layout->addWidget(Txt_Value);
  layout->addWidget(Scr_Value);
  layout->addWidget(Lbl_Unit);
  Txt_Value->installEventFilter(this);
  Scr_Value->installEventFilter(this);
  connect(Txt_Value, &QLineEdit::editingFinished, this, &TFrm_UnitTextScroll::CommitText);
  connect(Scr_Value, &QScrollBar::valueChanged, this, &TFrm_UnitTextScroll::ScrollMoved);
}

void TFrm_UnitTextScroll::SetupWindow(CTUnitInput* pInput, std::function<void()> HandleChanges)
{
  v_input = pInput;
  v_HandleChanges = std::move(HandleChanges);
  ConvertUnit();
}

void TFrm_UnitTextScroll::SetDim(const QString& szDim)
{
  v_fixedDim = szDim;
  v_hasFixedDim = true;
  Lbl_Unit->setText(szDim);
}

void TFrm_UnitTextScroll::ClearDim()
{
  v_hasFixedDim = false;
  v_fixedDim.clear();
}

bool TFrm_UnitTextScroll::Converts() const
{
  return v_input && v_input->Unit() != U_None && !v_hasFixedDim;
}

int TFrm_UnitTextScroll::Resolution() const
{
  return v_input ? std::max(1, v_input->Resolution()) : 1;
}

int TFrm_UnitTextScroll::Decimals() const
{
  return v_input ? InputDecimals(*v_input, UnitIndex()) : 0;
}

int TFrm_UnitTextScroll::UnitIndex() const
{
  return Converts() ? TU_Form::GetNewIndex(v_input->Unit()) : 0;
}

int TFrm_UnitTextScroll::StepOf(double baseValue) const
{
  const double step = v_input->StepOf(baseValue, UnitIndex());
  return static_cast<int>(std::clamp(step, -2.0e9, 2.0e9));
}

double TFrm_UnitTextScroll::GetVal() const
{
  return v_input ? v_input->GetVal() : 0;
}

void TFrm_UnitTextScroll::ConvertUnit()
{
  if (!v_input)
    return;
  if (v_hasFixedDim)
    Lbl_Unit->setText(v_fixedDim);
  else
    Lbl_Unit->setText(v_input->Unit() == U_None ? QString()
                                                : QString::fromStdString(TU_Form::GetCurrentString(v_input->Unit())));
  const bool enabled = v_input->Enabled();
  Lbl_Caption->setEnabled(enabled);
  Txt_Value->setEnabled(enabled);
  Scr_Value->setEnabled(enabled);
  ShowStep(StepOf(v_input->GetVal()));
  if (!enabled)
    Txt_Value->clear(); // a disabled input shows no value but keeps it
}

void TFrm_UnitTextScroll::ShowStep(int nStep)
{
  v_InTreatment = true;
  Scr_Value->setRange(StepOf(v_input->GetMinVal()), StepOf(v_input->GetMaxVal()));
  Scr_Value->setValue(nStep);
  const double shown = static_cast<double>(nStep) / Resolution();
  Txt_Value->setText(QString::fromStdString(Number2FmtStr(shown, 1, Decimals(), TU_Form::GetDecimalSeparator())));
  Txt_Value->setModified(false);
  v_InTreatment = false;
}

void TFrm_UnitTextScroll::CommitText()
{
  if (!v_input || v_InTreatment || !Txt_Value->isModified())
    return; // the user changed nothing
  const std::string text = Txt_Value->text().trimmed().toStdString();
  // An empty field counts as 0 (and is clamped to the minimum).
  const std::optional<double> typed = text.empty() ? std::optional<double>(0) : ParseNumber(text);
  if (!typed) {
    ConvertUnit();
    return;
  }
  // The model rounds and clamps the typed value once, in the unit shown.
  v_input->SetTypedVal(*typed, UnitIndex());
  ShowStep(StepOf(v_input->GetVal()));
  if (v_HandleChanges)
    v_HandleChanges();
}

void TFrm_UnitTextScroll::ScrollMoved(int nStep)
{
  if (!v_input || v_InTreatment)
    return;
  v_input->SetTypedVal(static_cast<double>(nStep) / Resolution(), UnitIndex());
  ShowStep(StepOf(v_input->GetVal()));
  if (v_HandleChanges)
    v_HandleChanges();
}

QString TFrm_UnitTextScroll::Text() const
{
  return Txt_Value->text();
}

QString TFrm_UnitTextScroll::GetString() const
{
  const QString text = Txt_Value->text().isEmpty() ? QStringLiteral("0") : Txt_Value->text();
  return Lbl_Unit->text().isEmpty() ? text : text + QLatin1Char(' ') + Lbl_Unit->text();
}

namespace {

// The keys that step the value as the scroll bar does: one step of the
// resolution, or ten.
std::optional<QAbstractSlider::SliderAction> StepOfKey(int nKey)
{
  switch (nKey) {
  case Qt::Key_Up: return QAbstractSlider::SliderSingleStepAdd;
  case Qt::Key_Down: return QAbstractSlider::SliderSingleStepSub;
  case Qt::Key_PageUp: return QAbstractSlider::SliderPageStepAdd;
  case Qt::Key_PageDown: return QAbstractSlider::SliderPageStepSub;
  default: return std::nullopt;
  }
}

} // namespace

bool TFrm_UnitTextScroll::eventFilter(QObject* watched, QEvent* event)
{
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      if (watched == Txt_Value)
        CommitText();
      focusNextChild(); // Return moves on to the next input in the tab order
      return true;
    }
    if (const std::optional<QAbstractSlider::SliderAction> step = StepOfKey(key); step && watched == Txt_Value) {
      CommitText(); // a typed value first, then the step from it
      Scr_Value->triggerAction(*step);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

} // namespace aw::app
