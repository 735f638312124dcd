#include "engine/BrisaProjectIO.h"

#include "catalogue/CatalogueText.h"
#include "catalogue/ClDevice.h"
#include "db/DbObject.h"
#include "foundation/StreamIO.h"
#include "platform/AtomicFile.h"

#include <cmath>
#include <fstream>

namespace aw {

namespace {

constexpr std::string_view kTagCurrent = "AWR002";
constexpr std::string_view kTagOldOptions = "AWR001";
constexpr std::size_t kTagSize = 6;
// A project holds a few dozen options; anything near this size is no project.
constexpr std::size_t kMaxFileSize = 16u << 20;

// Reads fixed fields and remembers whether every one of them was there.
class FieldReader
{
public:
  explicit FieldReader(std::string_view bytes) : v_stream(bytes), v_io(v_stream) {}
  std::int32_t Int()
  {
    std::int32_t value = 0;
    v_ok = v_io.GetInteger(value) && v_ok;
    return value;
  }
  double Double()
  {
    double value = 0;
    v_ok = v_io.GetExtended(value) && v_ok;
    return value;
  }
  std::uint8_t Byte()
  {
    std::uint8_t value = 0;
    v_ok = v_io.GetByteArray(&value, 1) && v_ok;
    return value;
  }
  void Skip(std::size_t nCount)
  {
    for (std::size_t i = 0; i < nCount; ++i)
      Byte();
  }
  bool Ok() const { return v_ok; }

private:
  CTMemoryStream v_stream;
  CTLLByteIO v_io;
  bool v_ok = true;
};

void ReadMode(FieldReader& in, CTBrisaProjectModeData& m)
{
  for (double* field : {&m.v_indoorDBT, &m.v_indoorRH, &m.v_ambientDBT, &m.v_ambientRH, &m.v_discharge,
                        &m.v_userInletHeater, &m.v_userSupplyHeater, &m.v_userSupplyTemp})
    *field = in.Double();
}

void ReadSevenDoubles(FieldReader& in, CTBrisaProjectDataIntfV0& v)
{
  for (double* field : {&v.v_altitude, &v.v_airflowPerPerson, &v.v_roomSurface, &v.v_areaPerPerson,
                        &v.v_nrOfPersons, &v.v_totalSupply, &v.v_totalExhaust})
    *field = in.Double();
}

std::vector<const double*> AllDoubles(const CTBrisaProjectDataIntfV0& v)
{
  std::vector<const double*> fields = {&v.v_altitude,      &v.v_airflowPerPerson, &v.v_roomSurface,
                                       &v.v_areaPerPerson, &v.v_nrOfPersons,      &v.v_totalSupply,
                                       &v.v_totalExhaust,  &v.v_designSupplyESP,  &v.v_designExhaustESP};
  for (const CTBrisaProjectModeData* m : {&v.v_coolingData, &v.v_heatingData})
    for (const double* field : {&m->v_indoorDBT, &m->v_indoorRH, &m->v_ambientDBT, &m->v_ambientRH,
                                &m->v_discharge, &m->v_userInletHeater, &m->v_userSupplyHeater, &m->v_userSupplyTemp})
      fields.push_back(field);
  return fields;
}

// Every value the selection would take from the record lies where it can be used.
bool Plausible(const CTBrisaProjectData& d)
{
  const CTBrisaProjectDataIntfV0& v = d.v_intfV0;
  for (const double* field : AllDoubles(v))
    if (!std::isfinite(*field))
      return false;
  for (double requirement : {v.v_airflowPerPerson, v.v_roomSurface, v.v_areaPerPerson, v.v_nrOfPersons,
                             v.v_totalSupply, v.v_totalExhaust})
    if (requirement < 0 && requirement != kProjectNoValue)
      return false;
  const auto inRange = [](std::int32_t value, int high) { return value >= 0 && value <= high; };
  return inRange(v.v_highEffFilterSupply, 3) && inRange(v.v_highEffFilterExhaust, 3) &&
         inRange(d.v_intfV1.v_plenumSelected, 2);
}

const CTProjectOptionKey* FindOption(const std::vector<CTProjectOptionKey>& options, std::int32_t nClsID,
                                     std::int32_t nObjID, bool bOldNumbers)
{
  for (const CTProjectOptionKey& key : options)
    if ((bOldNumbers ? key.nOldClsID : key.nClsID) == nClsID && (bOldNumbers ? key.nOldObjID : key.nObjID) == nObjID)
      return &key;
  return nullptr;
}

bool DecodeTagged(std::string_view bytes, bool bOldNumbers, const std::vector<CTProjectOptionKey>& options,
                  CTBrisaProjectData& d)
{
  if (bytes.size() < CTBrisaProjectIO::kHeaderSize)
    return false;
  FieldReader in(bytes.substr(kTagSize));
  CTBrisaProjectDataIntfV0& v = d.v_intfV0;
  for (std::int32_t* field : {&v.v_brisaClsID, &v.v_brisaObjID, &v.v_family, &v.v_supplySpeedId, &v.v_exhaustSpeedId})
    *field = in.Int();
  ReadSevenDoubles(in, v);
  v.v_designSupplyESP = in.Double();
  v.v_designExhaustESP = in.Double();
  v.v_highEffFilterSupply = in.Int();
  v.v_highEffFilterExhaust = in.Int();
  ReadMode(in, v.v_coolingData);
  ReadMode(in, v.v_heatingData);
  d.v_intfV1.v_plenumSelected = in.Int();
  const std::uint8_t upsideDown = in.Byte();
  const std::int32_t count = in.Int();
  // The count is checked against the bytes there before anything is sized from it.
  const std::size_t left = bytes.size() - CTBrisaProjectIO::kHeaderSize;
  if (!in.Ok() || upsideDown > 1 || count < 0 || static_cast<std::size_t>(count) > left / CTBrisaProjectIO::kOptionSize)
    return false;
  d.v_intfV1.v_upsideDown = upsideDown == 1;
  for (std::int32_t i = 0; i < count; ++i) {
    const std::int32_t clsID = in.Int(), objID = in.Int(), quantity = in.Int();
    if (const CTProjectOptionKey* key = FindOption(options, clsID, objID, bOldNumbers))
      d.v_options.push_back({key->nClsID, key->nObjID, quantity});
  }
  return in.Ok();
}

bool DecodeLegacy(std::string_view bytes, const std::vector<CTProjectOptionKey>& options, CTBrisaProjectData& d)
{
  if (bytes.size() < CTBrisaProjectIO::kLegacySize)
    return false;
  FieldReader in(bytes.substr(0, CTBrisaProjectIO::kLegacySize));
  CTBrisaProjectDataIntfV0& v = d.v_intfV0;
  v.v_brisaClsID = CTBrisaProjectIO::kLegacyUnitClsID;
  for (std::int32_t* field : {&v.v_brisaObjID, &v.v_family, &v.v_supplySpeedId, &v.v_exhaustSpeedId})
    *field = in.Int();
  ReadSevenDoubles(in, v);
  // The supply ESP carries the filter class in its ten-thousands.
  const double espAndFilter = in.Double();
  in.Skip(8);
  ReadMode(in, v.v_coolingData);
  ReadMode(in, v.v_heatingData);
  std::int32_t optionIDs[10] = {};
  for (std::int32_t& id : optionIDs)
    id = in.Int();
  // The range check comes before the conversion to an integer.
  constexpr double kAboveF8 = 4 * 10000 - 0.5;
  if (!in.Ok() || !std::isfinite(espAndFilter) || espAndFilter >= kAboveF8)
    return false;
  int filterClass = 0;
  if (espAndFilter > 10000)
    filterClass = static_cast<int>(catalogue::RoundHalfEven(espAndFilter)) / 10000;
  v.v_designSupplyESP = v.v_designExhaustESP = espAndFilter - 10000.0 * filterClass;
  v.v_highEffFilterSupply = filterClass;
  v.v_highEffFilterExhaust = 0;
  for (std::int32_t id : optionIDs) {
    if (id == 0)
      break;
    if (const CTProjectOptionKey* key = FindOption(options, CTBrisaProjectIO::kLegacyOptionClsID, id, true))
      d.v_options.push_back({key->nClsID, key->nObjID, 1});
  }
  return true;
}

class FieldWriter
{
public:
  FieldWriter() : v_io(v_stream) {}
  void Int(std::int32_t value) { v_io.PutInteger(value); }
  void Double(double value) { v_io.PutExtended(value); }
  void Byte(std::uint8_t value) { v_io.PutAByte(value); }
  std::string Bytes() const { return v_stream.Text(); }

private:
  CTMemoryStream v_stream;
  CTLLByteIO v_io;
};

void WriteMode(FieldWriter& out, const CTBrisaProjectModeData& m)
{
  for (double field : {m.v_indoorDBT, m.v_indoorRH, m.v_ambientDBT, m.v_ambientRH, m.v_discharge, m.v_userInletHeater,
                       m.v_userSupplyHeater, m.v_userSupplyTemp})
    out.Double(field);
}

} // namespace

const char* ProjectLayoutName(TProjectLayout layout)
{
  switch (layout) {
  case TProjectLayout::Current: return "AWR002";
  case TProjectLayout::OldOptionNumbers: return "AWR001";
  default: return "legacy";
  }
}

std::vector<CTProjectOptionKey> CTBrisaProjectIO::CatalogueOptions(CTBaseFactory* pFactory)
{
  std::vector<CTProjectOptionKey> keys;
  for (const Cls_TesselDeviceOption* option : AllRecordsOf<Cls_TesselDeviceOption>(false, pFactory))
    keys.push_back({option->TableIndex(), option->GetID(), option->GetOldClsID(), option->GetOldObjID()});
  return keys;
}

bool CTBrisaProjectIO::DecodeProjectData(std::string_view bytes, const std::vector<CTProjectOptionKey>& options,
                                         CTBrisaProjectData& sData, TProjectLayout* pLayout)
{
  const std::string_view tag = bytes.substr(0, kTagSize);
  const TProjectLayout layout = tag == kTagCurrent      ? TProjectLayout::Current
                                : tag == kTagOldOptions ? TProjectLayout::OldOptionNumbers
                                                        : TProjectLayout::Legacy;
  CTBrisaProjectData decoded;
  const bool ok = layout == TProjectLayout::Legacy
                    ? DecodeLegacy(bytes, options, decoded)
                    : DecodeTagged(bytes, layout == TProjectLayout::OldOptionNumbers, options, decoded);
  if (!ok || !Plausible(decoded))
    return false;
  sData = std::move(decoded);
  if (pLayout)
    *pLayout = layout;
  return true;
}

std::string CTBrisaProjectIO::EncodeProjectData(const CTBrisaProjectData& sData)
{
  FieldWriter out;
  for (char c : kTagCurrent)
    out.Byte(static_cast<std::uint8_t>(c));
  const CTBrisaProjectDataIntfV0& v = sData.v_intfV0;
  for (std::int32_t field : {v.v_brisaClsID, v.v_brisaObjID, v.v_family, v.v_supplySpeedId, v.v_exhaustSpeedId})
    out.Int(field);
  for (double field : {v.v_altitude, v.v_airflowPerPerson, v.v_roomSurface, v.v_areaPerPerson, v.v_nrOfPersons,
                       v.v_totalSupply, v.v_totalExhaust, v.v_designSupplyESP, v.v_designExhaustESP})
    out.Double(field);
  out.Int(v.v_highEffFilterSupply);
  out.Int(v.v_highEffFilterExhaust);
  WriteMode(out, v.v_coolingData);
  WriteMode(out, v.v_heatingData);
  out.Int(sData.v_intfV1.v_plenumSelected);
  out.Byte(sData.v_intfV1.v_upsideDown ? 1 : 0);
  out.Int(static_cast<std::int32_t>(sData.v_options.size()));
  for (const CTBrisaProjectSelOption& option : sData.v_options) {
    out.Int(option.v_optionClsID);
    out.Int(option.v_optionObjID);
    out.Int(option.v_nbSelected);
  }
  return out.Bytes();
}

std::optional<CTProjectFileMessage> CTBrisaProjectIO::LoadProjectFile(const std::string& szFileName,
                                                                      const std::vector<CTProjectOptionKey>& options,
                                                                      CTBrisaProjectData& sData,
                                                                      TProjectLayout* pLayout)
{
  std::ifstream file(szFileName, std::ios::binary);
  if (!file)
    return CTProjectFileMessage{kMsgUnableToOpenFile, szFileName};
  std::string bytes;
  char buffer[4096];
  while (bytes.size() <= kMaxFileSize && file.read(buffer, sizeof buffer).gcount() > 0)
    bytes.append(buffer, static_cast<std::size_t>(file.gcount()));
  if (file.bad() || bytes.size() > kMaxFileSize || !DecodeProjectData(bytes, options, sData, pLayout))
    return CTProjectFileMessage{kMsgCannotReadProject, {}};
  return std::nullopt;
}

std::optional<CTProjectFileMessage> CTBrisaProjectIO::SaveProjectFile(const std::string& szFileName,
                                                                      const CTBrisaProjectData& sData)
{
  std::string error;
  if (!platform::WriteFileAtomically(szFileName, EncodeProjectData(sData), error))
    return CTProjectFileMessage{kMsgUnableToCreateFile, szFileName};
  return std::nullopt;
}

bool CTBrisaProjectIO::ReadProjectData(const CTFormResource* pErrParent, const std::string& szFileName,
                                       CTBrisaProjectData& sData, CTBaseFactory* pFactory)
{
  const std::optional<CTProjectFileMessage> failure =
    LoadProjectFile(szFileName, CatalogueOptions(pFactory), sData);
  if (failure)
    CTDbObject::ShowDbMessage(pErrParent, failure->nMsgNo, failure->szParam);
  return !failure;
}

bool CTBrisaProjectIO::WriteProjectData(const CTFormResource* pErrParent, const std::string& szFileName,
                                        const CTBrisaProjectData& sData)
{
  const std::optional<CTProjectFileMessage> failure = SaveProjectFile(szFileName, sData);
  if (failure)
    CTDbObject::ShowDbMessage(pErrParent, failure->nMsgNo, failure->szParam);
  return !failure;
}

} // namespace aw
