#pragma once
// The Database page of the main window: the catalogue data of the selected
// unit (dimensions, electrical and speed data, operating ranges) and its
// options. It is filled from plain values, in base units, that the window
// gathers from the catalogue.

#include <QWidget>

#include <optional>
#include <vector>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QTreeWidget;

namespace aw::app {

struct TemperatureRange
{
  double min = 0; // °C
  double max = 0; // °C
};

struct DatabaseOption
{
  QString szName;
  QString szDescription;
  double width = 0, height = 0, depth = 0; // mm
  QString szMCA;
};

struct DatabasePageData
{
  QString szQualifiedName;
  int nFamily = 0;
  double width = 0, height = 0, depth = 0; // mm
  double weight = 0;                       // kg
  // Electrical data of the standard power supply.
  QString szPowerSupply;
  QString szFrequency;
  QString szPhases; // as stored: the number, "N" for a neutral conductor

  double voltage = 0, minVoltage = 0, maxVoltage = 0; // V
  double mca = 0, mfa = 0, rla = 0, fla = 0;          // A
  // The supply speed; the catalogue keeps sound level and current as texts with their unit.
  QString szSoundLevel;
  QString szCurrent;
  double powerInput = 0; // kW
  double ductDiameter = 0;  // mm
  QString szNominalHumidity;
  double nominalAirflow = 0; // l/s
  TemperatureRange ambient, room, ventilationIn;
  double maxAmbientRH = 0, maxRoomRH = 0, maxExchangerRH = 0; // %
  // For units that can be installed upside down.
  std::optional<double> maxAmbientRHUpsideDown, maxRoomRHUpsideDown, maxExchangerRHUpsideDown;
  // Pelmar-MF only.
  TemperatureRange fanOnly;
  double minCoolingRH = 0, minHeatingRH = 0; // %
  std::vector<DatabaseOption> options;
};

class TFraDatabasePage : public QWidget
{
  Q_OBJECT

public:
  explicit TFraDatabasePage(QWidget* parent);

  void FillDatabasePage(const DatabasePageData& data);
  void Clear();
  // The text shown in the value field of that name ("Txt_WHD", ...).
  QString Value(const QString& szField) const;

private:
  QLabel* AddValue(QGroupBox* box, const char* szName, const QString& szCaption);
  void Lvw_DBOptionsChange();

  QLabel* Txt_DeviceName = nullptr;
  QGroupBox* Box_Dimensions = nullptr;
  QGroupBox* Box_Electrical = nullptr;
  QGroupBox* Box_Speed = nullptr;
  QGroupBox* Box_Ranges = nullptr;
  QGroupBox* Box_UpsideDown = nullptr;
  QGroupBox* Box_FanOnly = nullptr;
  QTreeWidget* Lvw_DBOptions = nullptr;
  QPlainTextEdit* Txt_ODescription = nullptr;
  QLabel* Txt_OptWHD = nullptr;
  QLabel* Txt_OMCA = nullptr;
  std::vector<DatabaseOption> v_options;
};

// Width × height × depth: the first two without unit, the depth with it.
QString FormatWHD(double width, double height, double depth);

} // namespace aw::app
