#pragma once
// The results of one operating mode (efficiencies, savings, supply
// temperature, humidification, heaters) and the capacity figures of a Dorsa
// or Pelmar-MF unit for the sister system-selection tools.

#include "engine/SelectionView.h"

#include <QGroupBox>
#include <QStringList>

#include <map>
#include <string>
#include <vector>

class QLabel;
class QToolButton;

namespace aw::app {

class TFrm_ResultData : public QWidget
{
  Q_OBJECT

public:
  explicit TFrm_ResultData(QWidget* parent = nullptr);

  void SetupWindow(int Family, bool HasHumidifier, bool IsCooling);
  void ClearFields();
  // The values of the selection view's result blocks of this mode, each in
  // the line of its (English) caption; the report writes the same blocks.
  void ShowBlocks(const std::vector<CTViewBlock>& blocks);
  // One list per visible box: its caption, then label and value pairs.
  std::vector<QStringList> GetResultsStrings() const;
  // The message that stopped this mode's calculation, shown above its boxes; empty: none.
  void ShowMessage(const QString& szMessage);
  QLabel* Message() const { return Lbl_ModeMessage; }

  QLabel* Value(const char* szName) const;
  QGroupBox* Box(const char* szName) const;

private:
  QGroupBox* AddBox(const char* szName, const QString& szCaption);
  QLabel* AddLine(QGroupBox* box, const char* szName, const QString& szCaption, QWidget** row = nullptr);
  void Explain(int nTopic);

  int v_family = 0;
  bool v_isCooling = true;
  QGroupBox* Box_Efficiencies = nullptr;
  QGroupBox* Box_Savings = nullptr;
  QGroupBox* Box_SupplyTemp = nullptr;
  QGroupBox* Box_Humidification = nullptr;
  QGroupBox* Box_Heaters = nullptr;
  QLabel* Lbl_InletAmbient = nullptr;
  QLabel* Lbl_ModeMessage = nullptr;
  QWidget* Pnl_SupplyUser = nullptr;
  QWidget* Pnl_SupplyCalc = nullptr;
  std::map<std::string, QLabel*, std::less<>> v_valueByCaption; // English caption of a line
};

class TFrm_WrightProps : public QWidget
{
  Q_OBJECT

public:
  explicit TFrm_WrightProps(QWidget* parent = nullptr);

  void SetupWindow(const QString& szTitle, bool HideSensible);
  void ClearFields();
  // The values of the selection view's capacity blocks (CTSelectionView::Capacities).
  void ShowBlocks(const std::pair<CTViewBlock, CTViewBlock>& blocks);
  // The cooling list, then the heating list.
  std::vector<QStringList> GetWrightStrings() const;
  QLabel* TotalCooling() const { return Txt_TotalCool; }
  QLabel* SensibleCooling() const { return Txt_SensibleCool; }
  QLabel* Heating() const { return Txt_Heat; }

private:
  QGroupBox* Box_Selection = nullptr;
  QGroupBox* Box_Cooling = nullptr;
  QGroupBox* Box_Heating = nullptr;
  QLabel* Txt_TotalCool = nullptr;
  QLabel* Txt_SensibleCool = nullptr;
  QLabel* Lbl_SensibleCool = nullptr;
  QLabel* Txt_Heat = nullptr;
};

} // namespace aw::app
