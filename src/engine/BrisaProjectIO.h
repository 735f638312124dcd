#pragma once
// The project file: one selection as a fixed little-endian record followed
// by its option records. Three layouts are read (the tagged current one, the
// tagged one with the former option numbering, and the untagged legacy
// record); only the current one is written. Reading checks every field
// before it hands anything back, so that a damaged file changes nothing.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace aw {

class CTBaseFactory;
class CTFormResource;

// The marker of an input that is not in use (requirements of the other mode, heaters, ...).
inline constexpr double kProjectNoValue = -2147483647.0;

// One operating mode: °C, %, kW.
struct CTBrisaProjectModeData
{
  double v_indoorDBT = 0, v_indoorRH = 0, v_ambientDBT = 0, v_ambientRH = 0, v_discharge = 0;
  double v_userInletHeater = kProjectNoValue, v_userSupplyHeater = kProjectNoValue, v_userSupplyTemp = kProjectNoValue;
  bool operator==(const CTBrisaProjectModeData&) const = default;
};

struct CTBrisaProjectDataIntfV0
{
  std::int32_t v_brisaClsID = 0, v_brisaObjID = 0, v_family = 0, v_supplySpeedId = 0, v_exhaustSpeedId = 0;
  double v_altitude = 0;                                      // m
  double v_airflowPerPerson = kProjectNoValue;                // l/s
  double v_roomSurface = kProjectNoValue;                     // m²
  double v_areaPerPerson = kProjectNoValue;                   // m²
  double v_nrOfPersons = kProjectNoValue;
  double v_totalSupply = kProjectNoValue, v_totalExhaust = kProjectNoValue; // l/s
  double v_designSupplyESP = 0, v_designExhaustESP = 0;                     // Pa
  std::int32_t v_highEffFilterSupply = 0, v_highEffFilterExhaust = 0;       // 0 none, 1 F6, 2 F7, 3 F8
  CTBrisaProjectModeData v_coolingData, v_heatingData;
  bool operator==(const CTBrisaProjectDataIntfV0&) const = default;
};

struct CTBrisaProjectDataIntfV1
{
  std::int32_t v_plenumSelected = 0; // 0 none, 1 OA/EA, 2 all
  bool v_upsideDown = false;
  bool operator==(const CTBrisaProjectDataIntfV1&) const = default;
};

struct CTBrisaProjectSelOption
{
  std::int32_t v_optionClsID = 0, v_optionObjID = 0, v_nbSelected = 1;
  bool operator==(const CTBrisaProjectSelOption&) const = default;
};

struct CTBrisaProjectData
{
  CTBrisaProjectDataIntfV0 v_intfV0;
  CTBrisaProjectDataIntfV1 v_intfV1;
  std::vector<CTBrisaProjectSelOption> v_options;
  bool operator==(const CTBrisaProjectData&) const = default;
};

enum class TProjectLayout { Current, OldOptionNumbers, Legacy };
const char* ProjectLayoutName(TProjectLayout layout); // "AWR002", "AWR001", "legacy"

// The numbers of one catalogue option, current and former.
struct CTProjectOptionKey
{
  std::int32_t nClsID = 0, nObjID = 0, nOldClsID = 0, nOldObjID = 0;
};

// A numbered message with its "$1".
struct CTProjectFileMessage
{
  int nMsgNo = 0;
  std::string szParam;
};

class CTBrisaProjectIO
{
public:
  static constexpr int kMsgUnableToOpenFile = -2;
  static constexpr int kMsgUnableToCreateFile = -3;
  static constexpr int kMsgCannotReadProject = 42;
  static constexpr int kMsgNoSelectedDevice = 57;
  static constexpr std::size_t kHeaderSize = 6 + 237; // tag, both blocks and N
  static constexpr std::size_t kLegacySize = 256;
  static constexpr std::size_t kOptionSize = 12;
  static constexpr int kLegacyUnitClsID = 144;
  static constexpr int kLegacyOptionClsID = 146;

  // The options of the catalogue (its Cls_TesselDeviceOption records) that stored records are matched against.
  static std::vector<CTProjectOptionKey> CatalogueOptions(CTBaseFactory* pFactory);

  // The file's bytes as a project; false for a malformed or short content.
  // Option records without a matching catalogue option are dropped.
  static bool DecodeProjectData(std::string_view bytes, const std::vector<CTProjectOptionKey>& options,
                                CTBrisaProjectData& sData, TProjectLayout* pLayout = nullptr);
  // The current layout, byte for byte.
  static std::string EncodeProjectData(const CTBrisaProjectData& sData);

  // The file functions without dialogs: the message that tells why they failed.
  static std::optional<CTProjectFileMessage> LoadProjectFile(const std::string& szFileName,
                                                             const std::vector<CTProjectOptionKey>& options,
                                                             CTBrisaProjectData& sData,
                                                             TProjectLayout* pLayout = nullptr);
  // Replaces the file atomically: on failure the old file is as it was.
  static std::optional<CTProjectFileMessage> SaveProjectFile(const std::string& szFileName,
                                                             const CTBrisaProjectData& sData);

  // As above, showing the message (parented to pErrParent) through the object database's message sink.
  static bool ReadProjectData(const CTFormResource* pErrParent, const std::string& szFileName,
                              CTBrisaProjectData& sData, CTBaseFactory* pFactory = nullptr);
  static bool WriteProjectData(const CTFormResource* pErrParent, const std::string& szFileName,
                               const CTBrisaProjectData& sData);
};

} // namespace aw
