#pragma once
// The numeric input of the panels: a caption, an edit field, a scroll bar and
// the unit text. It shows one CTUnitInput of the selection model (held in the
// base unit of its dimension) in the unit in effect, accepts "." and "," as
// the decimal separator, clamps what is typed to the input's range when the
// field is left, and tells its owner only about changes the user made.

#include "air/SI_Units.h"

#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QScrollBar;

namespace aw {
class CTUnitInput;
}

namespace aw::app {

class TFrm_UnitTextScroll : public QWidget
{
  Q_OBJECT

public:
  explicit TFrm_UnitTextScroll(const QString& szCaption, QWidget* parent = nullptr);

  // Binds the input the field shows; HandleChanges runs after each change the user makes.
  void SetupWindow(CTUnitInput* pInput, std::function<void()> HandleChanges);
  CTUnitInput* Input() const { return v_input; }
  // A fixed unit text in place of the dimension's unit; the value is then
  // shown as held (a relative humidity in %), not converted.
  void SetDim(const QString& szDim);
  void ClearDim();
  // Shows the input's value, range and enabled state again (after the
  // program changed the input or the unit in effect changed). Never notifies.
  void ConvertUnit();

  // The value in the base unit, as the model holds it.
  double GetVal() const;
  // The shown text followed by the unit text ("0" for an empty field).
  QString GetString() const;
  QString Text() const;
  QLineEdit* Edit() const { return Txt_Value; }
  QScrollBar* ScrollBar() const { return Scr_Value; }
  QLabel* Caption() const { return Lbl_Caption; }
  QLabel* UnitLabel() const { return Lbl_Unit; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  // Steps per shown unit of the scroll bar and decimals of the text.
  int Resolution() const;
  int Decimals() const;
  int UnitIndex() const;
  bool Converts() const;
  // The input's limits in the unit in effect, in scroll steps.
  int StepOf(double baseValue) const;
  void ShowStep(int nStep);
  void CommitText();
  void ScrollMoved(int nStep);

  QLabel* Lbl_Caption = nullptr;
  QLineEdit* Txt_Value = nullptr;
  QScrollBar* Scr_Value = nullptr;
  QLabel* Lbl_Unit = nullptr;
  CTUnitInput* v_input = nullptr;
  std::function<void()> v_HandleChanges;
  QString v_fixedDim;
  bool v_hasFixedDim = false;
  // Set while the field changes its own controls.
  bool v_InTreatment = false;
};

} // namespace aw::app
