// Every entity family read from a small catalogue (tests/data/catalogue_sample.edi):
// properties, references and one-to-many links, caches and removal cascades.

#include "LoadedCatalogue.h"

#include "catalogue/ClBrisaData.h"
#include "catalogue/ClDevice.h"
#include "catalogue/ClDocumentation.h"
#include "catalogue/ClMessageTable.h"
#include "catalogue/ClPolynomial.h"
#include "catalogue/ClPowerSupply.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace aw {
namespace {

class CatalogueEntitiesTest : public ::testing::Test
{
protected:
  test::LoadedCatalogue db{test::ReadTestData("catalogue_sample.edi")};

  void SetUp() override { ASSERT_TRUE(db.Connected()); }

  template <class T>
  std::unique_ptr<T> Load(int nObjID)
  {
    auto obj = TakeAs<T>(db.factory.SafeCreateObject(T::kClassID, nObjID));
    if (!obj)
      throw std::runtime_error("no object " + std::to_string(nObjID) + " of class " + std::to_string(T::kClassID));
    return obj;
  }
  template <class T>
  static std::vector<int> IDs(const ObjectList<T>& pList)
  {
    std::vector<int> ids;
    for (const T* obj : pList)
      ids.push_back(obj->GetID());
    return ids;
  }
  template <class T>
  static std::vector<std::string> Names(const ObjectList<T>& pList)
  {
    std::vector<std::string> names;
    for (const T* obj : pList)
      names.push_back(obj->GetName());
    return names;
  }
};

TEST_F(CatalogueEntitiesTest, VentilationUnitsCarryTheirPropertiesAndLinks)
{
  auto unit = Load<Cls_BrisaData>(1);
  EXPECT_EQ(unit->GetName(), "BR-500");
  EXPECT_EQ(unit->GetGroupName(), "Heat recovery");
  EXPECT_EQ(unit->GetProductFamily(), 11);
  EXPECT_EQ(unit->GetEnergyLabel(), "A+");
  EXPECT_EQ(unit->GetType(), Cls_BrisaData::kFamilyBrisa);
  EXPECT_DOUBLE_EQ(unit->GetMinAirflow(), 200);
  EXPECT_DOUBLE_EQ(unit->GetMaxCoilVolume(), 500);
  EXPECT_DOUBLE_EQ(unit->GetVIMinTemp(), -10);
  EXPECT_DOUBLE_EQ(unit->GetOAMaxRH(), 80) << "missing column, declared default";
  EXPECT_TRUE(unit->GetCanBeUpsideDown());
  EXPECT_FALSE(unit->GetDeleted());
  EXPECT_EQ(unit->GetDescriptiveName(), "BR-500 [Brisa 500]");
  EXPECT_EQ(Load<Cls_BrisaData>(2)->GetDescriptiveName(), "BR-800") << "product name equal to the name";
  EXPECT_EQ(Load<Cls_BrisaData>(3)->GetDescriptiveName(), "DR-650") << "blank product name";

  EXPECT_EQ(IDs(unit->GetAllBrisaSpeed()), (std::vector<int>{1, 2}));
  EXPECT_EQ(IDs(unit->GetAllBrisaPolynomial()), (std::vector<int>{1, 2}));
  EXPECT_EQ(IDs(unit->GetAllDevOptCombination()), (std::vector<int>{1, 2}));
  EXPECT_EQ(unit->GetTheIndoorUnit(), nullptr);

  // The follow-up element and its back-link.
  std::int32_t clsID = 0, objID = 0;
  unit->GetFollowUpElement_REF(clsID, objID);
  EXPECT_EQ(clsID, Cls_BrisaData::kClassID);
  EXPECT_EQ(objID, 2);
  auto followUp = unit->GetFollowUpElement<Cls_BrisaData>();
  ASSERT_NE(followUp, nullptr);
  EXPECT_EQ(followUp->GetName(), "BR-800");
  EXPECT_EQ(IDs(followUp->GetAllReplacedElement()), (std::vector<int>{1}));
  EXPECT_EQ(followUp->GetFollowUpElement(), nullptr);

  // Devices of every concrete class, in class-id order.
  OwningObjectList<Cls_Device> devices = AllRecordsOf<Cls_Device>(true);
  ASSERT_EQ(devices.Count(), 5);
  EXPECT_EQ(devices[0]->TableIndex(), Cls_IndoorUnitData::kClassID);
  EXPECT_EQ(devices[1]->TableIndex(), Cls_BrisaData::kClassID);
}

TEST_F(CatalogueEntitiesTest, ADorsaUnitReachesItsCoilAndTheCoilItsCapacityRows)
{
  auto dorsa = Load<Cls_BrisaData>(3);
  EXPECT_EQ(dorsa->GetType(), Cls_BrisaData::kFamilyDorsa);
  EXPECT_DOUBLE_EQ(dorsa->GetNomHumidity(), 2.5);
  auto coil = dorsa->GetTheIndoorUnit();
  ASSERT_NE(coil, nullptr);
  EXPECT_EQ(coil->GetName(), "DX-COIL-65");
  EXPECT_EQ(coil->GetQualifier(), "Indoor unit");
  EXPECT_EQ(coil->GetQualifiedName(), "DX-COIL-65");
  EXPECT_EQ(dorsa->GetQualifiedName(), "Brisa DR-650") << "qualifier and name";
  EXPECT_DOUBLE_EQ(coil->GetHighFan(), 650);
  EXPECT_EQ(coil->GetDrainPipeSide(), 2);
  EXPECT_EQ(coil->GetLiquidPipeSide(), 1) << "default";
  EXPECT_EQ(coil->GetSeries(), "FXMQ");
  EXPECT_EQ(coil->GetFamily(), "VAM");
  EXPECT_DOUBLE_EQ(coil->GetPIFanMotor(), 180);
  EXPECT_EQ(coil->GetFanPosition(), 1);
  EXPECT_EQ(coil->GetColor(), " ");
  EXPECT_DOUBLE_EQ(coil->GetMaxMixAirPercentage(), 100);
  EXPECT_TRUE(coil->GetCanSelectOnSensible());
  EXPECT_EQ(coil->GetBrisa()->GetName(), "DR-650");
  EXPECT_EQ(IDs(coil->GetAllDevOptCombination()), (std::vector<int>{3}));

  OwningObjectList<Cls_IndTabularCap> rows = coil->GetAllIndTabularCap();
  ASSERT_EQ(rows.Count(), 2);
  rows.Sort(Cls_Tabular::CompareTabular);
  Cls_IndTabularCap* header = rows[0]->GetType() == Cls_Tabular::kHeaderCoolWB ? rows[0] : rows[1];
  Cls_IndTabularCap* capacity = header == rows[0] ? rows[1] : rows[0];
  int limit = 0;
  Cls_Tabular::Row temps{};
  header->GetTempRow(limit, temps);
  EXPECT_EQ(limit, 3);
  EXPECT_DOUBLE_EQ(capacity->GetValAt(17, limit, temps), 6);
  EXPECT_EQ(capacity->GetIndoorUnit<Cls_IndoorUnitData>()->GetID(), coil->GetID());
}

TEST_F(CatalogueEntitiesTest, ProductInformationComesFromTheKeyTheFamilyOrTheSeries)
{
  ASSERT_NE(db.factory.GetCachedObject(Cls_IndFamily::kClassID, 1), nullptr);
  struct Case
  {
    int unit;
    const char* series;
    const char* prv;
  };
  for (const Case& c : {Case{1, "VAM", "VAMLS"}, Case{2, "XYZ", "PRK8"}, Case{4, "MF", "MF"}}) {
    std::string series, prv;
    Load<Cls_BrisaData>(c.unit)->GetProductLinkInfo(series, prv);
    EXPECT_EQ(series, c.series) << c.unit;
    EXPECT_EQ(prv, c.prv) << c.unit;
  }
  std::string series, prv;
  Load<Cls_IndoorUnitData>(1)->GetProductLinkInfo(series, prv);
  EXPECT_EQ(series, "VAM");
  EXPECT_EQ(prv, "VAMLS");
  Cls_Device plain(0, &db.factory);
  EXPECT_THROW(plain.GetProductLinkInfo(series, prv), std::logic_error);
}

TEST_F(CatalogueEntitiesTest, ElectricalDataComeFromTheDefaultPowerSupplyElseTheLastRecord)
{
  auto unit = Load<Cls_BrisaData>(1); // records on V1, Y1 (default), VE
  EXPECT_DOUBLE_EQ(unit->GetMCA(), 2.2);
  EXPECT_DOUBLE_EQ(unit->GetMFA(), 16);
  EXPECT_DOUBLE_EQ(unit->GetFLA(), 1.5);
  EXPECT_DOUBLE_EQ(unit->GetRLA(), 1.4);
  EXPECT_EQ(unit->GetFuses(), "16A");
  ASSERT_NE(unit->PowerSupply(), nullptr);
  EXPECT_EQ(unit->PowerSupply()->GetName(), "Y1");
  EXPECT_EQ(unit->PowerSupply(), db.factory.GetCachedObject(Cls_PowerSupply::kClassID, 2)) << "the cached object";
  EXPECT_EQ(unit->PhasesString(), "3ph");
  EXPECT_EQ(unit->PhaseNamesString(), "L1,L2,L3");
  EXPECT_EQ(unit->PowerSupplyDescription(), "400 3ph");

  auto other = Load<Cls_BrisaData>(2); // one record, not on a default supply
  EXPECT_DOUBLE_EQ(other->GetMCA(), 4.4);
  EXPECT_EQ(other->PowerSupply()->GetName(), "VE");
  EXPECT_EQ(other->PhasesString(), "") << "no phases given";

  auto none = Load<Cls_BrisaData>(3);
  EXPECT_EQ(none->PowerSupply(), nullptr);
  EXPECT_EQ(none->GetMCA(), 0);
  EXPECT_EQ(none->GetFuses(), "");
  EXPECT_EQ(none->PowerSupplyDescription(), "");

  std::unique_ptr<Cls_PowerSupply> supply;
  std::unique_ptr<Cls_DevPSAllowed> record;
  unit->GetStandardPSData(supply, record);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->GetID(), 1) << "the first record";
  EXPECT_EQ(supply->GetName(), "V1");
  none->GetStandardPSData(supply, record);
  EXPECT_EQ(record, nullptr);
  ASSERT_NE(supply, nullptr);
  EXPECT_EQ(supply->GetName(), "Y1") << "the catalogue's default power supply";
}

TEST_F(CatalogueEntitiesTest, PowerSuppliesAndElectricalRecords)
{
  auto supply = Load<Cls_PowerSupply>(1);
  EXPECT_EQ(supply->GetPhaseNames(), "L1,N");
  EXPECT_EQ(supply->GetRange(), "220-240V");
  EXPECT_FALSE(supply->GetDefault());
  EXPECT_EQ(supply->GetDescriptiveName(), "1N\u00D7230, 50Hz (V1)");
  EXPECT_EQ(IDs(Load<Cls_PowerSupply>(3)->GetAllDevPSAllowed()), (std::vector<int>{3, 4}));

  auto record = Load<Cls_TesselPSAllowed>(1);
  EXPECT_EQ(record->GetFuses(), "10A");
  EXPECT_DOUBLE_EQ(record->GetMFA(), 10);
  EXPECT_EQ(record->GetMinVolts(), "198");
  EXPECT_EQ(record->GetMaxVolts(), "264");
  EXPECT_EQ(record->GetDevice()->GetName(), "BR-500");
  EXPECT_EQ(record->GetPowerSupply()->GetName(), "V1");
  EXPECT_EQ(Load<Cls_TesselPSAllowed>(4)->GetFuses(), "") << "a stored empty text is not replaced";
}

TEST_F(CatalogueEntitiesTest, DocumentationAndWebLinks)
{
  auto unit = Load<Cls_BrisaData>(1);
  double w = 0, h = 0, d = 0, weight = 0;
  unit->GetDimensions(w, h, d, weight);
  EXPECT_EQ((std::vector<double>{w, h, d, weight}), (std::vector<double>{800, 300, 600, 45.5}));
  EXPECT_EQ(unit->GetDocumentation(), unit->GetDocumentation()) << "read once, owned by the device";
  auto documentation = unit->GetDocumentationObject(false);
  ASSERT_NE(documentation, nullptr);
  EXPECT_NE(dynamic_cast<Cls_BrisaDocumentation*>(documentation.get()), nullptr);
  EXPECT_EQ(documentation->GetDevice()->GetID(), 1);
  Load<Cls_BrisaData>(2)->GetDimensions(w, h, d, weight);
  EXPECT_EQ((std::vector<double>{w, h, d, weight}), (std::vector<double>{0, 0, 0, 0}));
  EXPECT_EQ(Load<Cls_BrisaData>(2)->GetDocumentationObject(true), nullptr) << "a plain device creates none";

  struct Case
  {
    const char* series;
    bool downloads;
    int deviceClass;
    std::vector<int> links;
  };
  for (const Case& c : {Case{"VAM", false, 0, {1, 2, 4}}, Case{"VAM", false, 5, {4}}, Case{"vam", true, 0, {3}},
                        Case{"XYZ", false, -1, {2, 5}}, Case{"none", false, 0, {2}}}) {
    OwningObjectList<Cls_StaticURL> links = Cls_StaticURL::GetStaticURLs(c.series, c.downloads, c.deviceClass);
    EXPECT_EQ(IDs(links), c.links) << c.series << " " << c.downloads << " " << c.deviceClass;
  }
  auto link = Load<Cls_StaticURL>(3);
  EXPECT_EQ(link->GetTitle(), "Download");
  EXPECT_EQ(link->GetURL(), "https://example.test/dl");
  EXPECT_TRUE(link->GetIsHaldenDownload());
}

TEST_F(CatalogueEntitiesTest, FamiliesAndSeriesMappings)
{
  auto family = Load<Cls_IndFamily>(1);
  EXPECT_EQ(family->GetShort(), "VAM");
  EXPECT_EQ(family->GetName(), "Heat recovery");
  EXPECT_EQ(family->GetDescriptiveName(), "Brisa VAM - Heat recovery");
  EXPECT_EQ(family->GetLookupSeries(), "VAMLS");
  EXPECT_EQ(family->GetSubFamily(), 4);
  EXPECT_EQ(family->GetReleaseStatus(), 7) << "a stored grouping keeps its release state";
  EXPECT_EQ(IDs(family->GetAllMsgCombination()), (std::vector<int>{3}));

  EXPECT_EQ(Cls_IndFamily::CachedIndFamily("vam"), nullptr) << "only cached families are searched";
  CTDbObject* cached = db.factory.GetCachedObject(Cls_IndFamily::kClassID, 1);
  EXPECT_EQ(Cls_IndFamily::CachedIndFamily("vam"), cached);
  EXPECT_EQ(Cls_IndFamily::CachedIndFamily("VKM"), nullptr);

  auto mapping = Load<Cls_SeriesMapping>(1);
  EXPECT_EQ(mapping->GetDeviceSeries(), "VAM");
  EXPECT_EQ(mapping->GetDeviceClass(), 5);
  EXPECT_EQ(mapping->GetGroupName(), "Ducted");
  EXPECT_EQ(mapping->GetCommercialName(), "Brisa Plus");
  EXPECT_EQ(mapping->GetSortOrder(), 2);
  EXPECT_TRUE(mapping->GetHasInstantaneousHeating());
  EXPECT_EQ(mapping->GetRefrigFactorAMeaning(), 1);
  EXPECT_EQ(mapping->GetRefrigFactorBMeaning(), 7) << "stored after C and D";
  EXPECT_EQ(mapping->GetRefrigFactorCMeaning(), 0);
  EXPECT_EQ(mapping->GetRefrigFactorEMeaning(), 9);
  EXPECT_EQ(mapping->GetAllMsgCombination().Count(), 0);
}

TEST_F(CatalogueEntitiesTest, OptionsWithTheirCurvesCombinationsAndPowerSupply)
{
  auto filter = Load<Cls_TesselDeviceOption>(1);
  EXPECT_EQ(filter->GetName(), "FLT-F7");
  EXPECT_EQ(filter->GetDescription(), "Filter F7");
  EXPECT_EQ(filter->GetType(), Cls_DeviceOption::kTypeFilter);
  EXPECT_DOUBLE_EQ(filter->GetValue(), 7);
  EXPECT_DOUBLE_EQ(filter->GetHeight(), 50);
  EXPECT_DOUBLE_EQ(filter->GetWidth(), 400);
  EXPECT_DOUBLE_EQ(filter->GetWeight(), 2);
  EXPECT_EQ(filter->GetProductName(), "F7 filter");
  EXPECT_EQ(filter->GetOldClsID(), 77);
  EXPECT_EQ(filter->GetOldObjID(), 8);
  EXPECT_EQ(filter->GetPowerSupply()->GetName(), "V1");
  EXPECT_EQ(filter->PhasesString(), "1Nph");
  EXPECT_EQ(filter->PhaseNamesString(), "L1,N");
  EXPECT_EQ(filter->GetBrisaSettingScheme()->GetName(), "Standard");
  auto curve = filter->GetTheBrisaFilter();
  ASSERT_NE(curve, nullptr);
  EXPECT_DOUBLE_EQ(curve->Evaluate(400), 30) << "Pa at 400 m³/h";
  EXPECT_EQ(curve->GetTesselDeviceOption()->GetID(), 1);

  OwningObjectList<Cls_DevOptCombination> combinations = filter->GetAllDevOptCombination();
  ASSERT_EQ(combinations.Count(), 1);
  const auto& combination = *combinations[0];
  EXPECT_TRUE(combination.GetIsStandard());
  EXPECT_TRUE(combination.GetIsPreferred());
  EXPECT_TRUE(combination.GetOnePerUnit()) << "default";
  EXPECT_EQ(combinations[0]->GetDevice()->GetName(), "BR-500");
  EXPECT_EQ(combinations[0]->GetDeviceOption()->GetName(), "FLT-F7");
  EXPECT_EQ(combination.v_nbSelected, 1);

  auto plenum = Load<Cls_TesselDeviceOption>(2);
  EXPECT_EQ(plenum->GetPowerSupply(), nullptr);
  EXPECT_EQ(plenum->PhasesString(), "");
  EXPECT_EQ(plenum->GetTheBrisaFilter(), nullptr);
  EXPECT_EQ(plenum->GetBrisaSettingScheme(), nullptr);
  EXPECT_DOUBLE_EQ(plenum->EvaluatePolynomial(1, 1000), 30);
  EXPECT_DOUBLE_EQ(plenum->EvaluatePolynomial(2, 1000), 30);
  EXPECT_DOUBLE_EQ(plenum->EvaluatePolynomial(3, 0), 40);
  EXPECT_DOUBLE_EQ(plenum->EvaluatePolynomial(9, 1000), 0) << "no curve of that type";
  EXPECT_EQ(IDs(plenum->GetAllDeviceOptionPolynomial()), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(plenum->GetAllDeviceOptionPolynomial()[0]->GetDeviceOption()->GetID(), 2);
  EXPECT_EQ(Load<Cls_DevOptCombination>(2)->GetMaxQuantity(), 2);
  EXPECT_EQ(Load<Cls_DevOptCombination>(3)->GetNrRequired(), 2);
}

TEST_F(CatalogueEntitiesTest, GenericValuesResolveIntoLanguagesConfigurationsAndDefaults)
{
  ASSERT_NE(db.factory.GetCachedObject(Cls_TesselDeviceOption::kClassID, 5), nullptr);
  auto controller = Load<Cls_TesselDeviceOption>(4);
  EXPECT_EQ(IDs(controller->GetAllOptionGenericValue()), (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(controller->GetAllOptionGenericValue()[1]->GetValue(), "ctrl-de");
  EXPECT_EQ(controller->GetAllOptionGenericValue()[1]->GetDeviceOption()->GetID(), 4);
  bool hasLanguagePrefs = false;
  controller->ResolveReferences(hasLanguagePrefs);
  EXPECT_TRUE(hasLanguagePrefs);
  EXPECT_EQ(controller->Languages(), (std::vector<int>{2057})) << "the last languages value wins";
  EXPECT_EQ(controller->Configurations(), (std::vector<std::string>{"Basic", "Plus"}));
  EXPECT_TRUE(controller->HasConfiguration("PLUS"));
  EXPECT_EQ(Names(controller->DefaultLanguageFor()), (std::vector<std::string>{"CTRL-DE"}));
  EXPECT_TRUE(controller->DefaultConfigurationFor().IsEmpty());
  EXPECT_TRUE(controller->CondenserInfluencesTotalLength());
  double gas = 0, liquid = 0;
  controller->GetCondenserDiameters(gas, liquid);
  EXPECT_DOUBLE_EQ(gas, 15.9);
  EXPECT_DOUBLE_EQ(liquid, 9.5);

  auto other = Load<Cls_TesselDeviceOption>(5);
  bool otherPrefs = false;
  other->ResolveReferences(otherPrefs);
  EXPECT_FALSE(otherPrefs);
  EXPECT_FALSE(other->CondenserInfluencesTotalLength());
}

TEST_F(CatalogueEntitiesTest, SpeedsSpeedTypesAndSettings)
{
  auto speed = Load<Cls_BrisaSpeed>(1);
  EXPECT_EQ(speed->GetCurrent(), "0.9A");
  EXPECT_DOUBLE_EQ(speed->GetEspLimit(), 140);
  EXPECT_EQ(speed->GetSoundLevel(), "34dB");
  EXPECT_DOUBLE_EQ(speed->GetPowerInput(), 120);
  EXPECT_DOUBLE_EQ(speed->GetSelect1(), 2);
  EXPECT_DOUBLE_EQ(speed->Evaluate(200), 130) << "Pa at 200 m³/h";
  EXPECT_EQ(speed->Evaluate(600), 0) << "outside 100..500 m³/h";
  EXPECT_EQ(speed->GetBrisa()->GetName(), "BR-500");
  EXPECT_EQ(speed->GetBrisaSpType()->GetName(), "High");

  const ObjectList<Cls_BrisaSpType>& types = Cls_BrisaSpType::OrderedBrisaSpTypes();
  EXPECT_EQ(Names(types), (std::vector<std::string>{"Low", "Medium", "High"}));
  EXPECT_EQ(&Cls_BrisaSpType::OrderedBrisaSpTypes(), &types) << "one shared list";
  Cls_BrisaSpType* high = types[2];
  EXPECT_EQ(high->GetWeight(), 3);
  EXPECT_EQ(IDs(high->GetAllBrisaSpeed()), (std::vector<int>{1, 3}));
  EXPECT_EQ(IDs(high->GetAllBrisaSetting()), (std::vector<int>{1}));
  EXPECT_EQ(IDs(types[0]->GetAllBrisaSetting2()), (std::vector<int>{1}));

  auto scheme = Load<Cls_BrisaSettingScheme>(1);
  EXPECT_EQ(scheme->GetName(), "Standard");
  EXPECT_FALSE(scheme->GetDeleted());
  OwningObjectList<Cls_BrisaSetting> settings = scheme->GetAllBrisaSetting();
  ASSERT_EQ(IDs(settings), (std::vector<int>{1, 2}));
  EXPECT_EQ(settings[0]->GetVentilation(), "19(29)-0-02");
  EXPECT_EQ(settings[0]->GetFanspeed(), "H");
  EXPECT_EQ(settings[0]->GetSupplyFanCurve(), "18(28)-6");
  EXPECT_EQ(settings[0]->GetBrisaSettingScheme()->GetID(), 1);
  Cls_BrisaSpType *supply = nullptr, *exhaust = nullptr;
  settings[0]->GetBrisaSpeedTypes(supply, exhaust);
  ASSERT_NE(supply, nullptr);
  EXPECT_EQ(supply->GetName(), "High");
  EXPECT_EQ(exhaust->GetName(), "Low");
  settings[1]->GetBrisaSpeedTypes(supply, exhaust);
  EXPECT_EQ(exhaust, nullptr);
  // 3 × 100 + 1 against 2 × 100 + none.
  settings.Sort(Cls_BrisaSetting::CompareBrisaSettings);
  EXPECT_EQ(IDs(settings), (std::vector<int>{2, 1}));

  auto correction = Load<Cls_BrisaCorrection>(1);
  EXPECT_EQ(correction->GetType(), 1);
  EXPECT_DOUBLE_EQ(correction->GetSelect1(), 0.8);
  EXPECT_DOUBLE_EQ(correction->Evaluate(0.8), 1.4);
}

TEST_F(CatalogueEntitiesTest, SpeedTypesAreReadAgainAfterANewConnection)
{
  EXPECT_EQ(Cls_BrisaSpType::OrderedBrisaSpTypes().Count(), 3);
  db.factory.Disconnect();
  EXPECT_EQ(Cls_BrisaSpType::OrderedBrisaSpTypes().Count(), 0) << "nothing outlives its catalogue";
  ASSERT_TRUE(db.factory.Connect(false));
  EXPECT_EQ(Cls_BrisaSpType::OrderedBrisaSpTypes().Count(), 3);
}

TEST_F(CatalogueEntitiesTest, NotesAreAttachedToTheirOwners)
{
  auto note = Load<Cls_MessageTable>(1);
  EXPECT_EQ(note->GetMessage(), "Check the service clearance");
  EXPECT_EQ(IDs(note->GetAllMsgCombination()), (std::vector<int>{1, 3})) << "on a device and on a family";

  OwningObjectList<Cls_MsgCombination> notes = Load<Cls_BrisaData>(1)->GetAllMsgCombination();
  notes.Sort(Cls_MsgCombination::SeqNrLT);
  ASSERT_EQ(IDs(notes), (std::vector<int>{2, 1}));
  EXPECT_EQ(notes[0]->GetSeqNr(), 1);
  EXPECT_EQ(notes[0]->GetDevice_CLS_REF(), Cls_BrisaData::kClassID);
  EXPECT_EQ(notes[0]->GetDevice_OBJ_REF(), 1);
  EXPECT_EQ(notes[0]->GetMessageTable()->GetMessage(), "Keep the filters clean");
  EXPECT_EQ(notes[0]->GetRelationByIx(Cls_MsgCombination::ixDevice), nullptr) << "the owner pair has no link";

  Cls_MsgCombination combination(0, &db.factory);
  combination.SetMessageReferrer(*Load<Cls_IndFamily>(1));
  EXPECT_EQ(combination.GetDevice_CLS_REF(), Cls_IndFamily::kClassID);
  EXPECT_EQ(combination.GetDevice_OBJ_REF(), 1);
}

TEST_F(CatalogueEntitiesTest, RemovingADeviceRemovesItsNotesElectricalDataAndDocumentation)
{
  Load<Cls_BrisaData>(1)->Remove();
  EXPECT_EQ(db.factory.SafeCreateObject(Cls_BrisaData::kClassID, 1), nullptr);
  EXPECT_EQ(IDs(AllRecordsOf<Cls_MsgCombination>(false)), (std::vector<int>{3}));
  EXPECT_EQ(CTDbObject::CountAllRecords(Cls_MessageTable::kClassID, false), 2) << "the notes stay";
  EXPECT_EQ(CTDbObject::CountAllRecords(Cls_BrisaDocumentation::kClassID, false), 0);
  EXPECT_EQ(CTDbObject::CountAllRecords(Cls_TesselPSAllowed::kClassID, false), 1);
  EXPECT_EQ(CTDbObject::CountAllRecords(Cls_PowerSupply::kClassID, false), 3) << "power supplies stay";
}

TEST_F(CatalogueEntitiesTest, RemovingANoteOrAnOptionRemovesWhatHangsOnIt)
{
  Load<Cls_MessageTable>(1)->Remove();
  EXPECT_EQ(IDs(AllRecordsOf<Cls_MsgCombination>(false)), (std::vector<int>{2}));

  Load<Cls_TesselDeviceOption>(2)->Remove();
  EXPECT_EQ(IDs(AllRecordsOf<Cls_DevOptCombination>(false)), (std::vector<int>{1, 3}));
  EXPECT_EQ(CTDbObject::CountAllRecords(Cls_DeviceOptionPolynomial::kClassID, false), 0);
  EXPECT_EQ(CTDbObject::CountAllRecords(Cls_TesselDeviceOption::kClassID, false), 4);
}

} // namespace
} // namespace aw
