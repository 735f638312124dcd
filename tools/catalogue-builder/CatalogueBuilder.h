#pragma once
// Builds the demonstration catalogue from its sources (data/catalogue/*.json)
// into an empty, writable catalogue factory: the version record, speed
// types, power supplies, families, accessories, the catalogue-wide
// corrections and the units of the three families with their fan speeds,
// fitted curves, coil tables, options, documentation and electrical data.
// Every object is made through the catalogue's entity classes.

#include "CurveFit.h"

#include "air/Air.h"
#include "catalogue/Factory.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace aw {
class CTDbObject;
class Cls_BrisaData;
class Cls_BrisaSpType;
class Cls_Device;
class Cls_IndoorUnitData;
class Cls_PowerSupply;
class Cls_Polynomial;
class Cls_TesselDeviceOption;
class Cls_BrisaSettingScheme;
} // namespace aw

namespace aw::catalogue_builder {

class CatalogueBuilder
{
public:
  explicit CatalogueBuilder(const std::filesystem::path& sourceDir);
  ~CatalogueBuilder();

  // Raises std::runtime_error when a source is inconsistent or an object cannot be stored.
  void Build(CTFactory& factory);
  // One line per unit: name and airflow range.
  const std::vector<std::string>& Summary() const { return v_summary; }

private:
  using json = nlohmann::json;

  void Store(CTDbObject& obj, const std::string& szWhat);
  void BuildVersion();
  void BuildSpeedTypes();
  void BuildPowerSupplies();
  void BuildFamilies();
  void BuildSettingScheme();
  void BuildAccessories();
  void BuildHeaters();
  void BuildCorrections();
  void BuildFamily(const json& family);

  std::unique_ptr<Cls_BrisaData> BuildUnit(const json& family, const json& unit);
  // The current of both fans at the fastest speed, A.
  double BuildSpeeds(const json& family, const json& unit, Cls_BrisaData& device);
  void BuildExchangerCurves(const json& family, const json& unit, Cls_BrisaData& device);
  std::unique_ptr<Cls_IndoorUnitData> BuildDorsaCoil(const json& family, const json& unit, Cls_BrisaData& device);
  void BuildPelmarCurves(const json& family, const json& unit, Cls_BrisaData& device);
  void BuildElectricalData(const json& unit, Cls_Device& device, double nRunningCurrent, double nCompressorCurrent);
  // The options go to optionOwner: the unit, or the coil of a Dorsa unit (whose options the unit offers).
  void BuildOptions(const json& family, const json& unit, Cls_Device& optionOwner);
  void Combine(Cls_Device& device, Cls_TesselDeviceOption& option, bool bStandard, bool bPackaged, int nRequired,
               int nMaxQuantity = 0);
  void AddCurve(Cls_Polynomial& curve, const FittedCurve& fit, const std::string& szWhat);

  std::map<std::string, json> v_sources;
  TAir v_air{0};
  CTFactory* v_factory = nullptr;
  std::map<std::string, std::unique_ptr<Cls_BrisaSpType>> v_speedTypes;
  std::map<std::string, std::unique_ptr<Cls_PowerSupply>> v_powerSupplies;
  std::map<std::string, std::unique_ptr<Cls_TesselDeviceOption>> v_accessories;
  std::map<double, std::unique_ptr<Cls_TesselDeviceOption>> v_heaters; // by power, kW
  std::unique_ptr<Cls_BrisaSettingScheme> v_scheme;
  std::vector<std::string> v_summary;
};

} // namespace aw::catalogue_builder
