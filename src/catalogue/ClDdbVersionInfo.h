#pragma once
// The catalogue's single version record: structure version, data release,
// region and two catalogue-wide percentages, read and written through class
// operations that take the factory of the catalogue. The start-up checks the
// structure version of the loaded catalogue against the reference version the
// program carries in its resource "Device_Database_Ref".

#include "catalogue/CatalogueProperties.h"

#include <optional>
#include <string>
#include <string_view>

namespace aw {

class Cls_DdbVersionInfo : public CTDbObject
{
public:
  static constexpr int kClassID = 101;
  enum : int {
    ixExpiryAction = 1,
    ixDataRegion,
    ixDbDate,
    ixDbVersion,
    ixDataVersion,
    ixApplicationFlags,
    ixMaxPercentageOUBasket,
    ixMinPercentageOUBasket,
  };
  static constexpr int kDefaultMaxPercOUBasket = 120;
  static constexpr int kDefaultMinPercOUBasket = 80;
  // What the percentage readers answer without a catalogue.
  static constexpr int kPercOUBasketWithoutDb = 100;

  explicit Cls_DdbVersionInfo(int nObjID = 0, CTBaseFactory* pFactory = nullptr)
    : CTDbObject(kClassID, nObjID, pFactory)
  {
  }

  AW_INTEGER_PROPERTY(ExpiryAction, ixExpiryAction)
  AW_INTEGER_PROPERTY(DataRegion, ixDataRegion)
  AW_DATETIME_PROPERTY(DbDate, ixDbDate)
  AW_STRING_PROPERTY(DbVersion, ixDbVersion)
  AW_STRING_PROPERTY(DataVersion, ixDataVersion)
  AW_INTEGER_PROPERTY(ApplicationFlags, ixApplicationFlags)
  AW_INTEGER_PROPERTY(MaxPercentageOUBasket, ixMaxPercentageOUBasket)
  AW_INTEGER_PROPERTY(MinPercentageOUBasket, ixMinPercentageOUBasket)

  // Version texts: "14.3", "1.4.3" and "143" are all 143 (every "." removed;
  // a text that is no integer is 0); 143 is written "1.4.3".
  static int VersionNumber(std::string_view szVersion);
  static std::string VersionText(int nVersion);

  static bool HasDdb(CTBaseFactory*) { return true; }
  // True when the catalogue's DbVersion is szVersion as version numbers. On
  // a mismatch with bFlagErrors, message 5014 (through the object database's
  // message sink) names the database and both versions.
  static bool CheckVersion(CTBaseFactory* pFactory, const std::string& szVersion, bool bFlagErrors);
  static std::string GetKorvathVersion(CTBaseFactory* pFactory);
  static void GetKorvathVersionEx(CTBaseFactory* pFactory, std::string& szVersion, int& nRegion);
  static void SetKorvathVersion(CTBaseFactory* pFactory, const std::string& szNewVersion);
  static int GetRegion(CTBaseFactory* pFactory);
  static int GetAppFlags(CTBaseFactory* pFactory);
  static void SetAppFlags(CTBaseFactory* pFactory, int nFlags);
  static int GetMinPercOUBasket(CTBaseFactory* pFactory);
  static void SetMinPercOUBasket(CTBaseFactory* pFactory, int nPerc);
  static int GetMaxPercOUBasket(CTBaseFactory* pFactory);
  static void SetMaxPercOUBasket(CTBaseFactory* pFactory, int nPerc);

  // The DbVersion text of the first version record of a database text
  // (plain or compressed), read without loading it; nothing when it has none.
  static std::optional<std::string> ReadVersionText(std::string_view bytes);
  // The reference version the program was built for: from the resource
  // "Device_Database_Ref", or "Device_Database" when that is missing.
  static std::optional<std::string> ReferenceVersionText();
  // The start-up check: the loaded catalogue against the reference version,
  // with messages. False means that the program must end.
  static bool CheckStartupVersion(CTBaseFactory* pFactory);

private:
  // The record to read: the stored one, or a new one with the defaults; none without a catalogue.
  static std::unique_ptr<Cls_DdbVersionInfo> RecordToRead(CTBaseFactory* pFactory);
  // The stored record to change, or none.
  static std::unique_ptr<Cls_DdbVersionInfo> RecordToWrite(CTBaseFactory* pFactory);
};

} // namespace aw
