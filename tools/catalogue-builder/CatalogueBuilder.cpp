#include "CatalogueBuilder.h"

#include "Physics.h"

#include "catalogue/ClBrisaData.h"
#include "catalogue/ClDdbVersionInfo.h"
#include "catalogue/ClDevice.h"
#include "catalogue/ClDocumentation.h"
#include "catalogue/ClPolynomial.h"
#include "catalogue/ClPowerSupply.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <stdexcept>

namespace aw::catalogue_builder {
namespace {

using json = nlohmann::json;

constexpr double kPowerFactor = 0.92;
constexpr double kPhaseVoltage = 230;
constexpr double kLineVoltage = 400;
constexpr double kDensity = 1.2; // kg/m³, the fixed density of the engine's coil and humidifier models

std::string Fixed(double value, int nDecimals)
{
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", nDecimals, value);
  return buffer;
}

double Round(double value, int nDecimals)
{
  const double scale = std::pow(10.0, nDecimals);
  return std::round(value * scale) / scale;
}

// Days since 1899-12-30 of a date written YYYY-MM-DD.
double DateValue(const std::string& szDate)
{
  int y = 0, m = 0, d = 0;
  if (std::sscanf(szDate.c_str(), "%d-%d-%d", &y, &m, &d) != 3)
    throw std::runtime_error("version date '" + szDate + "' is not YYYY-MM-DD");
  using namespace std::chrono;
  const sys_days day{year{y} / month{static_cast<unsigned>(m)} / static_cast<unsigned>(d)};
  const sys_days epoch{year{1899} / December / 30};
  return static_cast<double>((day - epoch).count());
}

double Required(const json& j, const char* key)
{
  if (!j.contains(key) || !j[key].is_number())
    throw std::runtime_error(std::string("missing number '") + key + "' in " + j.dump().substr(0, 80));
  return j[key].get<double>();
}

std::string Text(const json& j, const char* key) { return j.value(key, std::string()); }

// The smallest usual fuse rating that carries nCurrent.
double FuseFor(double nCurrent)
{
  for (double fuse : {6.0, 10.0, 13.0, 16.0, 20.0, 25.0, 32.0, 40.0, 50.0, 63.0})
    if (fuse >= nCurrent)
      return fuse;
  return 80;
}

// The current of nPower_W on the supply: single phase on 230 V, balanced over three phases on 400 V.
double CurrentOf(double nPower_W, const std::string& szPhases)
{
  return szPhases.starts_with("3") ? nPower_W / (std::sqrt(3.0) * kLineVoltage * kPowerFactor)
                                   : nPower_W / (kPhaseVoltage * kPowerFactor);
}

std::vector<double> Numbers(const json& j) { return j.get<std::vector<double>>(); }

const json& PowerSupplySource(const json& catalogue, const std::string& szName)
{
  for (const json& ps : catalogue["powerSupplies"])
    if (ps["name"] == szName)
      return ps;
  throw std::runtime_error("unknown power supply '" + szName + "'");
}

} // namespace

CatalogueBuilder::CatalogueBuilder(const std::filesystem::path& sourceDir)
{
  for (const char* name : {"catalogue", "brisa", "dorsa", "pelmar-mf"}) {
    const std::filesystem::path file = sourceDir / (std::string(name) + ".json");
    std::ifstream in(file);
    if (!in)
      throw std::runtime_error("cannot read " + file.string());
    try {
      v_sources[name] = json::parse(in);
    } catch (const json::exception& e) {
      throw std::runtime_error(file.string() + ": " + e.what());
    }
  }
}

CatalogueBuilder::~CatalogueBuilder() = default;

void CatalogueBuilder::Build(CTFactory& factory)
{
  v_factory = &factory;
  BuildVersion();
  BuildSpeedTypes();
  BuildPowerSupplies();
  BuildFamilies();
  BuildSettingScheme();
  BuildAccessories();
  BuildHeaters();
  BuildCorrections();
  for (const char* family : {"brisa", "dorsa", "pelmar-mf"}) {
    try {
      BuildFamily(v_sources.at(family));
    } catch (const json::exception& e) {
      throw std::runtime_error(std::string(family) + ".json: " + e.what());
    }
  }
}

void CatalogueBuilder::Store(CTDbObject& obj, const std::string& szWhat)
{
  if (!obj.Insert())
    throw std::runtime_error("cannot store " + szWhat);
}

void CatalogueBuilder::AddCurve(Cls_Polynomial& curve, const FittedCurve& fit, const std::string& szWhat)
{
  for (int power = 0; power <= Cls_Polynomial::kDegree; ++power)
    curve.SetCoefficient(power, fit.a[static_cast<std::size_t>(power)]);
  curve.SetArgumentLow(fit.low);
  curve.SetArgumentHigh(fit.high);
  Store(curve, szWhat);
}

void CatalogueBuilder::BuildVersion()
{
  const json& v = v_sources["catalogue"]["version"];
  Cls_DdbVersionInfo record(0, v_factory);
  record.SetDbVersion(v["dbVersion"]);
  record.SetDataVersion(v["dataVersion"]);
  record.SetDataRegion(v["region"]);
  record.SetDbDate(DateValue(v["date"]));
  record.SetMaxPercentageOUBasket(v["maxPercentageOUBasket"]);
  record.SetMinPercentageOUBasket(v["minPercentageOUBasket"]);
  Store(record, "the version record");
}

void CatalogueBuilder::BuildSpeedTypes()
{
  for (const json& t : v_sources["catalogue"]["speedTypes"]) {
    auto type = std::make_unique<Cls_BrisaSpType>(0, v_factory);
    type->SetName(t["name"]);
    type->SetWeight(t["weight"]);
    Store(*type, "speed type " + t["name"].get<std::string>());
    v_speedTypes[t["name"]] = std::move(type);
  }
}

void CatalogueBuilder::BuildPowerSupplies()
{
  for (const json& p : v_sources["catalogue"]["powerSupplies"]) {
    auto ps = std::make_unique<Cls_PowerSupply>(0, v_factory);
    ps->SetName(p["name"]);
    ps->SetVoltage(p["voltage"]);
    ps->SetPhases(p["phases"]);
    ps->SetPhaseNames(p["phaseNames"]);
    ps->SetRange(p["range"]);
    ps->SetFrequencyKind(p["frequencyKind"]);
    ps->SetDefault(p["default"]);
    Store(*ps, "power supply " + p["name"].get<std::string>());
    v_powerSupplies[p["name"]] = std::move(ps);
  }
}

void CatalogueBuilder::BuildFamilies()
{
  const json& catalogue = v_sources["catalogue"];
  for (const json& f : catalogue["families"]) {
    Cls_IndFamily family(0, v_factory);
    family.SetShort(f["series"]);
    family.SetName(f["name"]);
    family.SetProductName(f["productName"]);
    family.SetLookupSeries(f["lookupSeries"]);
    Store(family, "family " + f["series"].get<std::string>());

    Cls_SeriesMapping mapping(0, v_factory);
    mapping.SetDeviceSeries(f["series"]);
    mapping.SetDeviceClass(f["deviceClass"]);
    mapping.SetCommercialName(f["commercialName"]);
    mapping.SetSortOrder(f["sortOrder"]);
    mapping.SetLookupSeries(f["lookupSeries"]);
    Store(mapping, "series mapping " + f["series"].get<std::string>());

    for (const json& l : f["links"]) {
      Cls_StaticURL url(0, v_factory);
      url.SetTitle(l["title"]);
      url.SetURL(catalogue["webHost"].get<std::string>() + l["path"].get<std::string>());
      url.SetLookupSeries(f["lookupSeries"]);
      url.SetDeviceClass(f["deviceClass"]);
      url.SetIsHaldenDownload(l.value("download", false));
      Store(url, "link " + l["title"].get<std::string>());
    }
  }
}

void CatalogueBuilder::BuildSettingScheme()
{
  const json& s = v_sources["catalogue"]["settingScheme"];
  v_scheme = std::make_unique<Cls_BrisaSettingScheme>(0, v_factory);
  v_scheme->SetName(s["name"]);
  Store(*v_scheme, "setting scheme");
  // Settings for equal speed types and for types one step apart, in weight order.
  const json& types = v_sources["catalogue"]["speedTypes"];
  for (std::size_t i = 0; i < types.size(); ++i) {
    for (std::size_t j = 0; j < types.size(); ++j) {
      if (i > j + 1 || j > i + 1)
        continue;
      const std::string supply = types[i]["name"], exhaust = types[j]["name"];
      Cls_BrisaSetting setting(0, v_factory);
      setting.SetVentilation(s["ventilation"]);
      setting.SetFanspeed(s["fanspeedCodes"][supply].get<std::string>() + "/" +
                          s["fanspeedCodes"][exhaust].get<std::string>());
      setting.SetFreshup(s["freshup"]);
      setting.SetFanOperation(i == j ? "01" : "02");
      setting.SetSupplyFanCurve(s["supplyFanCurve"].get<std::string>() + std::to_string(i + 1));
      setting.SetExhaustFanCurve(s["exhaustFanCurve"].get<std::string>() + std::to_string(j + 1));
      setting.SetBrisaSpType(v_speedTypes.at(supply).get());
      setting.SetBrisaSpType2(v_speedTypes.at(exhaust).get());
      setting.SetBrisaSettingScheme(v_scheme.get());
      Store(setting, "setting " + supply + "/" + exhaust);
    }
  }
}

void CatalogueBuilder::BuildAccessories()
{
  for (const json& a : v_sources["catalogue"]["accessories"]) {
    auto option = std::make_unique<Cls_TesselDeviceOption>(0, v_factory);
    option->SetName(a["name"]);
    option->SetProductName(a["name"]);
    option->SetType(a["type"]);
    option->SetDescription(a["description"]);
    option->SetWidth(a["width"]);
    option->SetHeight(a["height"]);
    option->SetDepth(a["depth"]);
    option->SetWeight(a["weight"]);
    option->SetMCA(a["mca"]);
    if (a.contains("settingScheme"))
      option->SetBrisaSettingScheme(v_scheme.get());
    Store(*option, "accessory " + a["name"].get<std::string>());
    if (a.contains("languages")) {
      Cls_OptionGenericValue languages(0, v_factory);
      languages.SetValueType(Cls_OptionGenericValue::kLanguages);
      languages.SetValue(Cls_OptionGenericValue::IntegerListToString(a["languages"].get<std::vector<int>>()));
      languages.SetDeviceOption(option.get());
      Store(languages, "languages of " + a["name"].get<std::string>());
    }
    v_accessories[a["key"]] = std::move(option);
  }
}

void CatalogueBuilder::BuildHeaters()
{
  const json& h = v_sources["catalogue"]["heaters"];
  const double singlePhaseUpTo = Required(h, "singlePhaseUpTo_kW");
  for (double power : Numbers(h["powers_kW"])) {
    const bool singlePhase = power <= singlePhaseUpTo;
    const std::string supply = singlePhase ? "V1" : "Y1";
    auto option = std::make_unique<Cls_TesselDeviceOption>(0, v_factory);
    const std::string name = h["namePrefix"].get<std::string>() + Fixed(power, 1);
    option->SetName(name);
    option->SetProductName(name);
    option->SetType(Cls_DeviceOption::kTypeHeater);
    option->SetValue(power);
    option->SetDescription("Electric duct heater " + Fixed(power, 1) + " kW");
    option->SetWidth(300 + 10 * power);
    option->SetHeight(250);
    option->SetDepth(350);
    option->SetWeight(Round(4 + 0.8 * power, 1));
    option->SetMCA(Fixed(1.25 * CurrentOf(power * 1000, singlePhase ? "1" : "3N") * kPowerFactor, 1) + " A");
    option->SetPowerSupply(v_powerSupplies.at(supply).get());
    Store(*option, "heater " + name);
    v_heaters[power] = std::move(option);
  }
}

void CatalogueBuilder::BuildCorrections()
{
  const json& r = v_sources["catalogue"]["ratioCorrections"];
  const std::vector<double> range = Numbers(r["efficiencyRange_pct"]);
  for (double ratio : Numbers(r["ratios"])) {
    Cls_BrisaCorrection curve(0, v_factory);
    curve.SetType(1);
    curve.SetSelect1(ratio);
    const auto corrected = [ratio](double e) { return 100 * UnbalancedSupplyEfficiency(e / 100, ratio); };
    const std::string what = "efficiency correction at ratio " + Fixed(ratio, 2);
    AddCurve(curve, FitCurve(corrected, range[0], range[1], r["degree"], 0.25, what), what);
  }

  const json& h = v_sources["catalogue"]["humidifier"];
  const double exponent = Required(h, "ratioExponent");
  const std::vector<double> ratioRange = Numbers(h["ratioRange"]);
  Cls_BrisaCorrection byRatio(0, v_factory);
  byRatio.SetType(2);
  AddCurve(byRatio,
           FitCurve([exponent](double q) { return std::pow(q, exponent); }, ratioRange[0], ratioRange[1], 4, 0.01,
                    "humidification by airflow ratio"),
           "humidification by airflow ratio");

  const std::vector<double> depression = Numbers(h["depressionRange_K"]);
  Cls_BrisaCorrection byDryness(0, v_factory);
  byDryness.SetType(3);
  AddCurve(byDryness, ExactCurve({0, 1 / Required(h, "nominalDepression_K")}, depression[0], depression[1]),
           "humidification by dryness");
}

void CatalogueBuilder::BuildFamily(const json& family)
{
  for (const json& unit : family["units"]) {
    const std::string name = unit["name"];
    try {
      std::unique_ptr<Cls_BrisaData> device = BuildUnit(family, unit);
      const int code = family["family"];
      const double runningCurrent = BuildSpeeds(family, unit, *device);
      std::unique_ptr<Cls_IndoorUnitData> coil;
      if (code != Cls_BrisaData::kFamilyPelmarMF)
        BuildExchangerCurves(family, unit, *device);
      if (code == Cls_BrisaData::kFamilyDorsa)
        coil = BuildDorsaCoil(family, unit, *device);
      if (code == Cls_BrisaData::kFamilyPelmarMF)
        BuildPelmarCurves(family, unit, *device);
      BuildElectricalData(unit, *device, runningCurrent, unit.value("compressorCurrent_A", 0.0));
      BuildOptions(family, unit, coil ? static_cast<Cls_Device&>(*coil) : *device);
      v_summary.push_back(name + ": " + Fixed(device->GetMinAirflow(), 0) + " .. " + Fixed(device->GetMaxAirflow(), 0) +
                          " m3/h");
    } catch (const std::exception& e) {
      throw std::runtime_error(name + ": " + e.what());
    }
  }
}

std::unique_ptr<Cls_BrisaData> CatalogueBuilder::BuildUnit(const json& family, const json& unit)
{
  const int code = family["family"];
  const double nominal = Required(unit, "nominal"), minimum = Required(unit, "min"), maximum = Required(unit, "max");
  if (!(minimum > 0 && minimum < nominal && nominal <= maximum))
    throw std::runtime_error("the airflows must satisfy 0 < min < nominal <= max");
  auto device = std::make_unique<Cls_BrisaData>(0, v_factory);
  device->SetName(unit["name"]);
  device->SetGroupName(family["groupName"]);
  device->SetProductName(family["productPrefix"].get<std::string>() + Fixed(nominal, 0));
  device->SetEnergyLabel(family["energyLabel"]);
  device->SetType(code);
  device->SetSeries(family["series"]);
  device->SetNomAirflow(nominal);
  device->SetMinAirflow(minimum);
  device->SetMaxAirflow(maximum);
  device->SetDuctDiam(Required(unit, "duct"));
  device->SetCanBeUpsideDown(unit.value("upsideDown", false));

  const json& limits = family["limits"];
  const std::pair<const char*, void (Cls_BrisaData::*)(double)> setters[] = {
    {"RAMinTemp", &Cls_BrisaData::SetRAMinTemp},
    {"RAMaxTemp", &Cls_BrisaData::SetRAMaxTemp},
    {"RAMaxRH", &Cls_BrisaData::SetRAMaxRH},
    {"OAMinTemp", &Cls_BrisaData::SetOAMinTemp},
    {"OAMaxTemp", &Cls_BrisaData::SetOAMaxTemp},
    {"OAMaxRH", &Cls_BrisaData::SetOAMaxRH},
    {"VIMinTemp", &Cls_BrisaData::SetVIMinTemp},
    {"VIMinTempUpsideDown", &Cls_BrisaData::SetVIMinTempUpsideDown},
    {"EAMaxRH", &Cls_BrisaData::SetEAMaxRH},
    {"EAMaxRHUpsideDown", &Cls_BrisaData::SetEAMaxRHUpsideDown},
    {"VOMaxRH", &Cls_BrisaData::SetVOMaxRH},
    {"VOMaxRHUpsideDown", &Cls_BrisaData::SetVOMaxRHUpsideDown},
    {"CIMaxRH", &Cls_BrisaData::SetCIMaxRH},
    {"CIMaxRHUpsideDown", &Cls_BrisaData::SetCIMaxRHUpsideDown},
    {"MinTempFanOnly", &Cls_BrisaData::SetMinTempFanOnly},
    {"MaxTempFanOnly", &Cls_BrisaData::SetMaxTempFanOnly},
    // Family 2 keeps its lowest ambient humidities in the fields of the exchanger limits.
    {"minCoolRH", &Cls_BrisaData::SetMinCoolRH},
    {"minHeatRH", &Cls_BrisaData::SetMinHeatRH},
  };
  for (const auto& [key, setter] : setters)
    if (limits.contains(key))
      (device.get()->*setter)(limits[key].get<double>());

  if (family.contains("humidifier")) {
    // The water the air takes up at the nominal airflow and wet-bulb depression, kg/h.
    const double depression = Required(v_sources["catalogue"]["humidifier"], "nominalDepression_K");
    const double uptake = 1.006 * depression / 2501; // kg/kg towards saturation
    device->SetNomHumidity(
      Round(nominal * kDensity * Required(family["humidifier"], "saturationEfficiency") * uptake, 1));
  }
  Store(*device, "the unit");

  Cls_BrisaDocumentation doc(0, v_factory);
  doc.SetWidth(Required(unit, "w"));
  doc.SetHeight(Required(unit, "h"));
  doc.SetDepth(Required(unit, "d"));
  doc.SetWeight(Required(unit, "weight"));
  doc.SetDevice(device.get());
  Store(doc, "the documentation");
  return device;
}

double CatalogueBuilder::BuildSpeeds(const json& family, const json& unit, Cls_BrisaData& device)
{
  const json& fans = family["fans"];
  const FanLaw law(Required(unit, "shutoffEsp"), Required(unit, "ratedEsp"),
                   device.GetMaxAirflow() * Required(fans, "topMargin"));
  const double rated = Required(unit, "ratedEsp");
  if (rated < 150 || rated > 200)
    throw std::runtime_error("the rated ESP at the top airflow must lie between 150 and 200 Pa");
  const double low = device.GetMinAirflow() * Required(fans, "argumentLowMargin");
  const double fanPower = Required(unit, "fanPower_W");
  const std::string phases = PowerSupplySource(v_sources["catalogue"], unit["supply"])["phases"];
  double topCurrent = 0;
  for (const json& s : fans["speeds"]) {
    const double n = Required(s, "fraction");
    const double high = law.Top(n);
    if (!(high > low))
      throw std::runtime_error("speed fraction " + Fixed(n, 2) + " ends below the curve's start");
    Cls_BrisaSpeed speed(0, v_factory);
    // Just above the curve's highest pressure (at its smallest airflow), in steps of 10 Pa.
    speed.SetEspLimit(std::ceil((law.Esp(n, low) + Required(fans, "limitMargin_Pa")) / 10) * 10);
    speed.SetSelect1(s["step"].get<double>());
    const double power = fanPower * n * n * n; // W, both fans
    speed.SetPowerInput(std::round(power));
    speed.SetCurrent(Fixed(CurrentOf(power, phases), 2) + " A");
    speed.SetSoundLevel(Fixed(std::round(Required(unit, "sound_dBA") + 50 * std::log10(n)), 0) + " dB(A)");
    speed.SetBrisaSpType(v_speedTypes.at(s["type"]).get());
    speed.SetBrisa(&device);
    topCurrent = std::max(topCurrent, CurrentOf(power, phases));
    AddCurve(speed, ExactCurve({law.shutoff * n * n, 0, -law.k}, low, high),
             "speed " + s["type"].get<std::string>() + " " + Fixed(s["step"].get<double>(), 0));
  }
  return topCurrent;
}

void CatalogueBuilder::BuildExchangerCurves(const json& family, const json& unit, Cls_BrisaData& device)
{
  (void)unit;
  const json& e = family["exchanger"];
  Exchanger::Params p;
  p.effAtMin = Required(e, "temperatureEffAtMin_pct") / 100;
  p.effAtMax = Required(e, "temperatureEffAtMax_pct") / 100;
  p.latentNtuRatioCooling = Required(e, "latentNtuRatioCooling");
  p.latentNtuRatioHeating = Required(e, "latentNtuRatioHeating");
  p.sensibleShareCooling = Required(e, "sensibleShareCooling");
  p.sensibleShareHeating = Required(e, "sensibleShareHeating");
  const Exchanger exchanger(p, device.GetMinAirflow(), device.GetMaxAirflow());
  const double margin = Required(e, "argumentMargin");
  const double low = device.GetMinAirflow() * (1 - margin), high = device.GetMaxAirflow() * (1 + margin);
  const std::pair<int, std::function<double(double)>> curves[] = {
    {0, [&](double q) { return exchanger.TemperatureEff(q); }},
    {1, [&](double q) { return exchanger.EnthalpyEff(q, true); }},
    {2, [&](double q) { return exchanger.EnthalpyEff(q, false); }},
  };
  for (const auto& [type, f] : curves) {
    Cls_BrisaPolynomial curve(0, v_factory);
    curve.SetType(type);
    curve.SetBrisa(&device);
    const std::string what = "efficiency curve " + std::to_string(type);
    AddCurve(curve, FitCurve(f, low, high, e["degree"], 0.1, what), what);
  }
}

std::unique_ptr<Cls_IndoorUnitData> CatalogueBuilder::BuildDorsaCoil(const json& family, const json& unit,
                                                                      Cls_BrisaData& device)
{
  const json& c = family["coil"];
  const double nominal = device.GetNomAirflow();
  const double fan_W = Required(unit, "fanPower_W") / 2; // the supply fan at its fastest speed
  const bool fanUpstream = c["fanPosition"].get<int>() == 0;

  auto coil = std::make_unique<Cls_IndoorUnitData>(0, v_factory);
  coil->SetName("KDX-" + Fixed(nominal, 0));
  coil->SetProductName(device.GetName() + " DX coil");
  coil->SetGroupName("DX coil");
  coil->SetSeries(family["series"]);
  coil->SetFamily(family["series"]);
  coil->SetHighFan(nominal);
  coil->SetLowFan(device.GetMinAirflow());
  coil->SetNominalAirFlow(nominal);
  coil->SetPIFanMotor(fan_W);
  coil->SetFanPosition(c["fanPosition"]);
  coil->SetHasDucting(true);
  coil->SetIsReversible(true);
  coil->SetPipLiquid(nominal > 750 ? 9.5 : 6.4);
  coil->SetPipGas(nominal > 750 ? 15.9 : 12.7);
  coil->SetPipDrainExt(32);
  coil->SetPipDrainInt(25);

  const BypassCoil model(v_air, nominal, Required(c, "bypassFactor"), fan_W / 1000, fanUpstream,
                         Required(c, "adpApproach_K"));
  const double stdTe = Required(c, "standardTe");
  using Row = Cls_Tabular::Row;
  Row wb{}, db{}, heat{}, total{}, sensible{}, coolPower{}, heatCap{}, heatPower{};
  const json& columns = c["coolingColumns"];
  const std::vector<double> heating = Numbers(c["heatingColumns"]);
  if (columns.size() != Row().size() || heating.size() != Row().size())
    throw std::runtime_error("a capacity table has seven columns");
  double rating = 0;
  for (std::size_t k = 0; k < Row().size(); ++k) {
    db[k] = Required(columns[k], "db");
    wb[k] = Required(columns[k], "wb");
    const BypassCoil::Rating r = model.Cooling(db[k], wb[k], stdTe);
    total[k] = Round(r.total, 3);
    sensible[k] = Round(std::min(r.sensible, r.total), 3);
    coolPower[k] = Round(r.total / Required(c, "coolingCop"), 3);
    if (db[k] == 27 && wb[k] == 19)
      rating = r.total;
    heat[k] = heating[k];
    heatCap[k] = Round(model.Heating(heating[k], Required(c, "heatingSurfaceTemp")), 3);
    heatPower[k] = Round(heatCap[k] / Required(c, "heatingCop"), 3);
    if (!(total[k] > 0 && sensible[k] > 0 && heatCap[k] > 0))
      throw std::runtime_error("the coil model gives no capacity in column " + std::to_string(k + 1));
  }
  coil->SetCapIndex(Round(rating, 1));
  coil->SetBrisa(&device);
  Store(*coil, "the DX coil");

  auto row = [&](int nType, double te, const Row& values, const std::string& szWhat, bool bHeader = false) {
    Cls_IndTabularCap r(0, v_factory);
    r.SetType(nType);
    r.SetTe(te);
    r.SetSelect(bHeader ? static_cast<double>(values.size()) : 0);
    void (Cls_Tabular::*setters[])(double) = {&Cls_Tabular::SetCol1, &Cls_Tabular::SetCol2, &Cls_Tabular::SetCol3,
                                              &Cls_Tabular::SetCol4, &Cls_Tabular::SetCol5, &Cls_Tabular::SetCol6,
                                              &Cls_Tabular::SetCol7};
    for (std::size_t k = 0; k < values.size(); ++k)
      (r.*setters[k])(values[k]);
    r.SetIndoorUnit(coil.get());
    Store(r, szWhat);
  };
  row(Cls_Tabular::kHeaderCoolWB, stdTe, wb, "cooling wet-bulb header", true);
  row(Cls_Tabular::kHeaderCoolDB, stdTe, db, "cooling dry-bulb header", true);
  row(Cls_Tabular::kHeaderHeat, stdTe, heat, "heating header", true);
  row(2, stdTe, total, "total cooling capacities");
  row(8, stdTe, sensible, "sensible cooling capacities");
  row(3, stdTe, coolPower, "cooling power inputs");
  row(5, stdTe, heatCap, "heating capacities");
  row(6, stdTe, heatPower, "heating power inputs");
  // Other evaporating temperatures as factors of the standard row: the total
  // capacity, and the sensible heat ratio.
  for (double te : Numbers(c["otherTe"])) {
    Row totalFactor{}, shrFactor{};
    for (std::size_t k = 0; k < Row().size(); ++k) {
      const BypassCoil::Rating r = model.Cooling(db[k], wb[k], te);
      totalFactor[k] = Round(r.total / total[k], 4);
      shrFactor[k] = Round(std::min(r.sensible, r.total) / r.total / (sensible[k] / total[k]), 4);
    }
    row(11, te, totalFactor, "total capacity factors at Te " + Fixed(te, 0));
    row(12, te, shrFactor, "sensible heat ratio factors at Te " + Fixed(te, 0));
  }

  // Capacity corrections of the unit over the airflow ratio supply / nominal.
  const std::vector<double> range = Numbers(c["correctionRange"]);
  const double exponent = Required(c, "ntuExponent");
  for (int type : {3, 4}) {
    Cls_BrisaPolynomial curve(0, v_factory);
    curve.SetType(type);
    curve.SetBrisa(&device);
    const std::string what = "capacity correction " + std::to_string(type);
    AddCurve(curve,
             FitCurve([&](double q) { return model.CapacityFactor(q, exponent); }, range[0], range[1], c["degree"],
                      0.005, what),
             what);
  }
  return coil;
}

void CatalogueBuilder::BuildPelmarCurves(const json& family, const json& unit, Cls_BrisaData& device)
{
  const double mass = device.GetNomAirflow() / 3600 * kDensity; // kg/s at the nominal airflow
  const double ratedCooling = Required(unit, "ratedCooling_kW");
  // The fit may miss the discharge temperature by this much near the kink
  // where the dry and the wet cooling regimes meet.
  constexpr double kDischargeTolerance_K = 2;

  const json& c = family["cooling"];
  const std::vector<double> breakpoints = Numbers(c["dryBulbBreakpoints"]);
  const double minRH = Required(c, "minRH_pct");
  // Curve k must cover the wet bulbs of every state between its neighbouring
  // breakpoints, since the look-up interpolates between two curves at one wet bulb.
  auto wetBulbRange = [&](std::size_t k) {
    const double colder = breakpoints[k > 0 ? k - 1 : 0];
    const double warmer = k + 1 < breakpoints.size() ? breakpoints[k + 1] : breakpoints[k] + 5;
    return std::pair{std::floor(v_air.ConvertDBRH2WB(colder, minRH) - 0.5), warmer + 0.5};
  };
  auto addCurve = [&](int nType, double s1, double s2, const FittedCurve& fit, const std::string& szWhat) {
    Cls_BrisaPolynomial curve(0, v_factory);
    curve.SetType(nType);
    curve.SetSelect1(s1);
    curve.SetSelect2(s2);
    curve.SetBrisa(&device);
    AddCurve(curve, fit, szWhat);
  };
  for (double discharge : Numbers(c["dischargeTemps"])) {
    for (std::size_t k = 0; k < breakpoints.size(); ++k) {
      const auto [low, high] = wetBulbRange(k);
      const double t = breakpoints[k];
      const std::string what = "cooling capacity at " + Fixed(t, 0) + " / discharge " + Fixed(discharge, 0);
      addCurve(5, t, discharge,
               FitCurve([&](double w) { return OutdoorAirCooling(v_air, t, w, discharge, mass); }, low, high,
                        c["degree"], kDischargeTolerance_K * mass * 1.02, what),
               what);
    }
  }
  const double wbSlope = Required(c, "wbSlope"), dbSlope = Required(c, "dbSlope");
  for (std::size_t k = 0; k < breakpoints.size(); ++k) {
    const auto [low, high] = wetBulbRange(k);
    const double atDb = ratedCooling * (1 - dbSlope * (breakpoints[k] - 35));
    addCurve(6, breakpoints[k], 0, ExactCurve({atDb * (1 - 19 * wbSlope), atDb * wbSlope}, low, high),
             "maximum cooling capacity at " + Fixed(breakpoints[k], 0));
  }

  const json& h = family["heating"];
  const std::vector<double> inlets = Numbers(h["inletBreakpoints"]);
  const double from = inlets.front() - 2, to = inlets.back() + 2;
  const double cp = 1.006 + 1.84 * 0.003; // dry winter air
  for (double discharge : Numbers(h["dischargeTemps"]))
    for (double t : inlets)
      addCurve(7, t, discharge, ExactCurve({mass * cp * discharge, -mass * cp}, from, to),
               "heating capacity at " + Fixed(t, 0) + " / discharge " + Fixed(discharge, 0));
  const double ratedHeating = ratedCooling * Required(h, "ratedShareOfCooling");
  const double slope = Required(h, "slope");
  for (double t : inlets)
    addCurve(8, t, 0, ExactCurve({ratedHeating * (1 - 7 * slope), ratedHeating * slope}, from, to),
             "maximum heating capacity at " + Fixed(t, 0));
}

void CatalogueBuilder::BuildElectricalData(const json& unit, Cls_Device& device, double nRunningCurrent,
                                           double nCompressorCurrent)
{
  const std::string supply = unit["supply"];
  const json& ps = PowerSupplySource(v_sources["catalogue"], supply);
  Cls_TesselPSAllowed data(0, v_factory);
  const double fla = nRunningCurrent + nCompressorCurrent;
  data.SetFLA(Round(fla, 2));
  data.SetRLA(Round(nCompressorCurrent, 2));
  data.SetMCA(Round(fla + 0.25 * std::max(nRunningCurrent, nCompressorCurrent), 2));
  const double fuse = FuseFor(2 * fla);
  data.SetMFA(fuse);
  data.SetFuses(Fixed(fuse, 0) + " A");
  data.SetMinVolts(Text(ps, "minVolts"));
  data.SetMaxVolts(Text(ps, "maxVolts"));
  data.SetDevice(&device);
  data.SetPowerSupply(v_powerSupplies.at(supply).get());
  Store(data, "the electrical data");
}

void CatalogueBuilder::Combine(Cls_Device& device, Cls_TesselDeviceOption& option, bool bStandard, bool bPackaged,
                               int nRequired, int nMaxQuantity)
{
  Cls_DevOptCombination combination(0, v_factory);
  combination.SetIsStandard(bStandard);
  combination.SetIsPackaged(bPackaged);
  combination.SetNrRequired(nRequired);
  combination.SetMaxQuantity(nMaxQuantity);
  combination.SetOnePerUnit(nRequired == 1 && nMaxQuantity <= 1);
  combination.SetDevice(&device);
  combination.SetDeviceOption(&option);
  Store(combination, "the combination with " + option.GetName());
}

void CatalogueBuilder::BuildOptions(const json& family, const json& unit, Cls_Device& optionOwner)
{
  for (const json& a : family["accessories"])
    Combine(optionOwner, *v_accessories.at(a["key"]), a.value("standard", false), a.value("packaged", false), 1);
  for (double power : Numbers(unit["heaters"])) {
    const auto heater = v_heaters.find(power);
    if (heater == v_heaters.end())
      throw std::runtime_error("no heater option of " + Fixed(power, 1) + " kW");
    Combine(optionOwner, *heater->second, false, false, 1);
  }

  const double nominal = Required(unit, "nominal");
  const double low = Required(unit, "min") * 0.9, high = Required(unit, "max") * 1.1;
  const std::string size = Fixed(nominal, 0);
  if (family.contains("filters")) {
    const json& f = family["filters"];
    const double linear = Required(f, "linearShare");
    for (const json& cls : f["classes"]) {
      const std::string label = cls["label"];
      Cls_TesselDeviceOption option(0, v_factory);
      option.SetName("KFS-" + label + "-" + size);
      option.SetProductName(option.GetName());
      option.SetType(Cls_DeviceOption::kTypeFilter);
      option.SetValue(cls["index"].get<double>()); // the filter class index the selection asks for
      option.SetDescription(label + " filter set for " + unit["name"].get<std::string>());
      option.SetWidth(Required(unit, "w") / 2);
      option.SetHeight(Required(unit, "h"));
      option.SetDepth(60);
      option.SetWeight(Round(0.5 + nominal / 1000, 1));
      Store(option, "filter " + label);
      const double dp = Required(cls, "dropAtNominal_Pa");
      Cls_BrisaFilter curve(0, v_factory);
      curve.SetTesselDeviceOption(&option);
      AddCurve(curve, ExactCurve({0, dp * linear / nominal, dp * (1 - linear) / (nominal * nominal)}, low, high),
               "filter curve " + label);
      Combine(optionOwner, option, false, false, 1, 2);
    }
  }
  if (unit.value("plenum", false)) {
    const json& p = family["plenum"];
    Cls_TesselDeviceOption option(0, v_factory);
    option.SetName("KPL-" + size);
    option.SetProductName(option.GetName());
    option.SetType(Cls_DeviceOption::kTypePlenum);
    option.SetDescription("Plenum box joining the ducts of the two stacked sections of " +
                          unit["name"].get<std::string>());
    option.SetWidth(Required(unit, "w") / 2);
    option.SetHeight(Required(unit, "h"));
    option.SetDepth(400);
    option.SetWeight(Round(6 + nominal / 500, 1));
    Store(option, "plenum");
    const std::pair<int, const char*> sides[] = {
      {1, "dropOAAtNominal_Pa"}, {2, "dropEAAtNominal_Pa"}, {3, "dropAllAtNominal_Pa"}};
    for (const auto& [type, key] : sides) {
      Cls_DeviceOptionPolynomial curve(0, v_factory);
      curve.SetType(type);
      curve.SetDeviceOption(&option);
      AddCurve(curve, ExactCurve({0, 0, Required(p, key) / (nominal * nominal)}, low, high),
               "plenum curve " + std::to_string(type));
    }
    Combine(optionOwner, option, false, false, p["required"]);
  }
}

} // namespace aw::catalogue_builder
