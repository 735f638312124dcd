#pragma once
// Small catalogues for the engine, built in code: objects are created through
// the catalogue classes in a writable memory engine and written as EDI text,
// which a fixture then loads through the resource engine with the engine's
// factory, as the program loads its catalogue.
//
// The curves are chosen so that results can be reasoned about: constant
// efficiencies, fan curves P = a − b·Q², linear filter drops, constant
// plenum drops, a coil table of three columns.

#include "catalogue/ClBrisaData.h"
#include "catalogue/ClDdbVersionInfo.h"
#include "catalogue/ClDevice.h"
#include "catalogue/ClPolynomial.h"
#include "catalogue/Factory.h"
#include "db/DbObject.h"
#include "db/MemDB.h"
#include "db/ResDB.h"
#include "engine/BrisaRatioCorr.h"
#include "engine/EngineFactory.h"
#include "platform/Resources.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace aw::test {

// Writes objects into a catalogue text.
class CatalogueBuilder
{
public:
  CatalogueBuilder()
  {
    CTMemDbEngine::UseCompression(false);
    auto engine = std::make_unique<CTMemDbEngine>(&v_factory, CTFactory::kLogicalName, "", false, CTFactory::kDbIx);
    v_engine = engine.get();
    v_factory.SetDbEngine(CTFactory::kDbIx, std::move(engine));
  }

  // A new stored object of class T, after init has set its values.
  template <class T, class Init>
  T& Add(Init&& init)
  {
    auto* obj = dynamic_cast<T*>(v_factory.CreateObject(T::kClassID, 0));
    v_objects.emplace_back(obj);
    init(*obj);
    obj->Insert();
    return *obj;
  }

  static void SetPolynomial(Cls_Polynomial& p, std::initializer_list<double> coefficients, double low, double high)
  {
    int power = 0;
    for (double c : coefficients)
      p.SetCoefficient(power++, c);
    p.SetArgumentLow(low);
    p.SetArgumentHigh(high);
  }

  Cls_BrisaSpType& SpeedType(const std::string& name, int weight)
  {
    return Add<Cls_BrisaSpType>([&](Cls_BrisaSpType& t) {
      t.SetName(name);
      t.SetWeight(weight);
    });
  }

  // A fan curve P = a − b·Q² (Pa over m³/h) from 0.1·qMax to qMax.
  Cls_BrisaSpeed& Speed(Cls_BrisaData& unit, Cls_BrisaSpType& type, double a, double b, double qMax, double limit)
  {
    return Add<Cls_BrisaSpeed>([&](Cls_BrisaSpeed& s) {
      SetPolynomial(s, {a, 0, -b}, 0.1 * qMax, qMax);
      s.SetEspLimit(limit);
      s.SetBrisaSpType(&type);
      s.SetBrisa(&unit);
    });
  }

  Cls_BrisaPolynomial& Curve(Cls_BrisaData& unit, int type, std::initializer_list<double> coefficients,
                             double select1 = 0, double select2 = 0, double low = 0, double high = 0)
  {
    return Add<Cls_BrisaPolynomial>([&](Cls_BrisaPolynomial& p) {
      SetPolynomial(p, coefficients, low, high);
      p.SetType(type);
      p.SetSelect1(select1);
      p.SetSelect2(select2);
      p.SetBrisa(&unit);
    });
  }

  Cls_TesselDeviceOption& Option(Cls_Device& device, const std::string& name, int type, double value)
  {
    auto& option = Add<Cls_TesselDeviceOption>([&](Cls_TesselDeviceOption& o) {
      o.SetName(name);
      o.SetType(type);
      o.SetValue(value);
    });
    Add<Cls_DevOptCombination>([&](Cls_DevOptCombination& c) {
      c.SetNrRequired(2);
      c.SetDevice(&device);
      c.SetDeviceOption(&option);
    });
    return option;
  }

  // A filter option of class nClass (1 F6, 2 F7, 3 F8) dropping slope·Q Pa.
  void Filter(Cls_BrisaData& unit, int nClass, double slope)
  {
    auto& option = Option(unit, "FLT-F" + std::to_string(nClass + 5), Cls_DeviceOption::kTypeFilter, nClass);
    Add<Cls_BrisaFilter>([&](Cls_BrisaFilter& f) {
      SetPolynomial(f, {0, slope}, 0, 0);
      f.SetTesselDeviceOption(&option);
    });
  }

  // A plenum option with constant drops (Pa): OA/EA supply, OA/EA exhaust, all sides.
  void Plenum(Cls_BrisaData& unit, double supply, double exhaust, double all)
  {
    auto& option = Option(unit, "PLN-" + unit.GetName(), Cls_DeviceOption::kTypePlenum, 0);
    int type = 1;
    for (double drop : {supply, exhaust, all})
      Add<Cls_DeviceOptionPolynomial>([&](Cls_DeviceOptionPolynomial& p) {
        SetPolynomial(p, {drop}, 0, 0);
        p.SetType(type++);
        p.SetDeviceOption(&option);
      });
  }

  void Correction(int type, std::initializer_list<double> coefficients, double select1 = 0)
  {
    Add<Cls_BrisaCorrection>([&](Cls_BrisaCorrection& p) {
      SetPolynomial(p, coefficients, 0, 0);
      p.SetType(type);
      p.SetSelect1(select1);
    });
  }

  void CapacityRow(Cls_IndoorUnitData& coil, int type, double te, double select, Cls_Tabular::Row values)
  {
    Add<Cls_IndTabularCap>([&](Cls_IndTabularCap& row) {
      row.SetType(type);
      row.SetTe(te);
      row.SetSelect(select);
      for (int k = 0; k < Cls_Tabular::kColumns; ++k)
        row.SetDoubleValue(ColumnIx(k + 1), values[static_cast<std::size_t>(k)]);
      row.SetIndoorUnit(&coil);
    });
  }

  std::string Text()
  {
    CTMemoryStream out;
    v_engine->WriteToStream(out);
    return out.Text();
  }

private:
  static int ColumnIx(int column)
  {
    static constexpr int kIx[] = {Cls_Tabular::ixCol1, Cls_Tabular::ixCol2, Cls_Tabular::ixCol3, Cls_Tabular::ixCol4,
                                  Cls_Tabular::ixCol5, Cls_Tabular::ixCol6, Cls_Tabular::ixCol7};
    return kIx[column - 1];
  }

  CTFactory v_factory;
  CTMemDbEngine* v_engine = nullptr;
  std::vector<std::unique_ptr<CTDbObject>> v_objects;
};

// Ratings of one unit of the fixture catalogues.
struct UnitRating
{
  std::string name;
  int family = Cls_BrisaData::kFamilyBrisa;
  double minAirflow = 100, maxAirflow = 500; // m³/h
  bool filters = true, plenum = true;
  bool coilRows = true; // a Dorsa coil with its capacity rows
};

// Speed types Low, Medium and High; per unit one fan curve per type whose
// pressure at the unit's largest airflow is 60, 120 and 200 Pa, with 250 Pa
// at zero airflow for High; efficiencies 80 % (temperature), 60 % (cooling
// enthalpy), 65 % (heating enthalpy); balanced-ratio corrections that leave
// efficiencies unchanged at ratio 1 and scale them by 0.9 at 0.5 and 1.1 at 1.5.
inline std::string BuildCatalogue(const std::vector<UnitRating>& units)
{
  CatalogueBuilder b;
  // The structure version the program expects, so that the fronts accept the file.
  b.Add<Cls_DdbVersionInfo>([](Cls_DdbVersionInfo& v) {
    v.SetDbVersion("14.3");
    v.SetMaxPercentageOUBasket(120);
    v.SetMinPercentageOUBasket(80);
  });
  Cls_BrisaSpType* types[] = {&b.SpeedType("Low", 1), &b.SpeedType("Medium", 2), &b.SpeedType("High", 3)};
  b.Correction(TBrisaRatioCorr::kTypeEfficiency, {0, 0.9}, 0.5);
  b.Correction(TBrisaRatioCorr::kTypeEfficiency, {0, 1}, 1.0);
  b.Correction(TBrisaRatioCorr::kTypeEfficiency, {0, 1.1}, 1.5);
  for (const UnitRating& rating : units) {
    auto& unit = b.Add<Cls_BrisaData>([&](Cls_BrisaData& u) {
      u.SetName(rating.name);
      u.SetType(rating.family);
      u.SetMinAirflow(rating.minAirflow);
      u.SetMaxAirflow(rating.maxAirflow);
      u.SetNomAirflow(rating.maxAirflow);
      u.SetCanBeUpsideDown(rating.family == Cls_BrisaData::kFamilyBrisa);
      if (rating.family == Cls_BrisaData::kFamilyDorsa)
        u.SetNomHumidity(2.5);
      if (rating.family == Cls_BrisaData::kFamilyPelmarMF) {
        u.SetMinCoolRH(10);
        u.SetMinHeatRH(10);
        u.SetOAMaxRH(95);
        u.SetOAMaxTemp(46);
      }
    });
    const double q2 = rating.maxAirflow * rating.maxAirflow;
    const double topPressure[] = {60, 120, 200};
    for (int i = 0; i < 3; ++i) {
      const double a = 250.0 * (i + 1) / 3 + 50;
      b.Speed(unit, *types[i], a, (a - topPressure[i]) / q2, rating.maxAirflow * 1.05, a + 10);
    }
    if (rating.family != Cls_BrisaData::kFamilyPelmarMF) {
      b.Curve(unit, 0, {80});
      b.Curve(unit, 1, {60});
      b.Curve(unit, 2, {65});
    }
    if (rating.filters) {
      b.Filter(unit, 1, 0.1);
      b.Filter(unit, 2, 0.2);
    }
    if (rating.plenum)
      b.Plenum(unit, 10, 15, 20);
    if (rating.family == Cls_BrisaData::kFamilyBrisa)
      b.Option(unit, "HTR-2", Cls_DeviceOption::kTypeHeater, 2);
    if (rating.family == Cls_BrisaData::kFamilyDorsa) {
      // Capacities in proportion to supply ÷ nominal airflow.
      b.Curve(unit, 3, {0, 1});
      b.Curve(unit, 4, {0, 1});
      auto& coil = b.Add<Cls_IndoorUnitData>([&](Cls_IndoorUnitData& c) {
        c.SetName("DX-" + rating.name);
        c.SetHighFan(rating.maxAirflow);
        c.SetPIFanMotor(100);
        c.SetFanPosition(1);
        c.SetBrisa(&unit);
      });
      const double scale = rating.maxAirflow / 650;
      if (rating.coilRows)
        b.CapacityRow(coil, 0, 0, 3, {14, 19, 24});
      if (rating.coilRows)
        b.CapacityRow(coil, 10, 0, 3, {20, 27, 32});
      if (rating.coilRows)
        b.CapacityRow(coil, 1, 0, 3, {0, 10, 20});
      if (rating.coilRows)
        b.CapacityRow(coil, 2, 6, 0, {4 * scale, 6 * scale, 8 * scale});
      if (rating.coilRows)
        b.CapacityRow(coil, 8, 6, 0, {3.5 * scale, 4.5 * scale, 5.5 * scale});
      if (rating.coilRows)
        b.CapacityRow(coil, 5, 0, 0, {7 * scale, 6 * scale, 5 * scale});
    }
    if (rating.family == Cls_BrisaData::kFamilyPelmarMF) {
      // Cooling at nominal airflow (kW over the outdoor wet bulb) for the
      // discharge temperatures 14 and 18 °C at outdoor dry bulbs 25 and 40 °C.
      const double scale = rating.maxAirflow / 1000;
      for (double discharge : {14.0, 18.0})
        for (double dbt : {25.0, 40.0})
          b.Curve(unit, 5, {scale * ((discharge == 14 ? 4 : 3) + (dbt == 40 ? 2 : 0)), scale * 0.2}, dbt, discharge,
                  10, 30);
      // The compressor's maximum, rising with the wet bulb and the dry bulb.
      for (double dbt : {25.0, 40.0})
        b.Curve(unit, 6, {scale * (dbt == 40 ? 15 : 12), scale * 0.1}, dbt, 0, 10, 30);
      // Heating (kW over the inlet dry bulb) for the discharge temperatures 22 and 28 °C.
      for (double discharge : {22.0, 28.0})
        for (double dbt : {-15.0, 15.0})
          b.Curve(unit, 7, {scale * (discharge == 22 ? 8 : 10), -scale * 0.1}, dbt, discharge, -20, 20);
      for (double dbt : {-15.0, 15.0})
        b.Curve(unit, 8, {scale * 30}, dbt, 0, -20, 20);
    }
  }
  return b.Text();
}

// One unit per family, plus a larger Brisa unit without filters and plenum.
inline const std::vector<UnitRating>& SmallCatalogueUnits()
{
  static const std::vector<UnitRating> units = {
    {"BR-500", Cls_BrisaData::kFamilyBrisa, 100, 500, true, true, true},
    {"BR-800", Cls_BrisaData::kFamilyBrisa, 300, 800, false, false, true},
    {"DR-650", Cls_BrisaData::kFamilyDorsa, 200, 650, false, false, true},
    {"MF-1000", Cls_BrisaData::kFamilyPelmarMF, 300, 1000, false, false, true},
  };
  return units;
}

// A catalogue text loaded as the program's catalogue with the engine's
// factory, made the default factory for the fixture's lifetime.
class EngineCatalogue
{
public:
  explicit EngineCatalogue(const std::string& szText)
  {
    static const bool registered = (CTResDbEngine::RegisterEngine(), true);
    (void)registered;
    std::vector<std::byte> bytes(szText.size());
    for (std::size_t i = 0; i < szText.size(); ++i)
      bytes[i] = static_cast<std::byte>(szText[i]);
    platform::Resources::Replace(CTFactory::kLogicalName, std::move(bytes));
    factory.SetReadOnly(CTFactory::kDbIx, true);
    v_connected = factory.Connect(false);
    CTDbObject::SetDefaultFactory(&factory);
    TBrisaRatioCorr::ReleaseShared();
  }
  ~EngineCatalogue()
  {
    TBrisaRatioCorr::ReleaseShared();
    CTDbObject::SetDefaultFactory(nullptr);
    factory.Disconnect();
    platform::Resources::RestoreEmbedded();
  }
  EngineCatalogue(const EngineCatalogue&) = delete;
  EngineCatalogue& operator=(const EngineCatalogue&) = delete;

  bool Connected() const { return v_connected; }

  CTEngineFactory factory;

private:
  bool v_connected = false;
};

} // namespace aw::test
