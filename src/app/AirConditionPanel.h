#pragma once
// The air states of one operating mode: eight panels (room, exhaust,
// outdoor, supply, ventilation in and out, coil in, humidifier in), each with
// dry bulb, wet bulb, relative and absolute humidity and enthalpy, as the
// selection view gives them.

#include "app/PageLayout.h"
#include "engine/SelectionView.h"

#include <QGroupBox>
#include <QStringList>

#include <array>
#include <optional>

class QLabel;

namespace aw::app {

class TFrm_AirProps : public QGroupBox
{
  Q_OBJECT

public:
  explicit TFrm_AirProps(const QString& szTitle, QWidget* parent = nullptr);

  void ClearFields();
  // The block's values, in the order of the captions.
  void ShowBlock(const CTViewBlock& block);
  // The caption, then each label and its text.
  QStringList GetStrings() const;
  QString FieldText(int nField) const; // 0 dry bulb … 4 enthalpy

private:
  std::array<QLabel*, 5> v_captions{};
  std::array<QLabel*, 5> v_values{};
};

class TFrm_AirConditions : public THeadingBox
{
  Q_OBJECT

public:
  enum Point { RA, OA, EA, SA, VI, VO, CI, HI, kPointCount };

  explicit TFrm_AirConditions(QWidget* parent = nullptr);

  void ClearFields();
  // One block per state the family shows (CTSelectionView::AirStates); a
  // state without a block is hidden.
  void ShowBlocks(const std::array<std::optional<CTViewBlock>, kPointCount>& blocks);
  std::vector<QStringList> GetPsychroStrings() const;
  TFrm_AirProps* Props(Point p) const { return v_props[p]; }

private:
  std::array<TFrm_AirProps*, kPointCount> v_props{};
};

} // namespace aw::app
