// The project record: the current layout byte for byte, the older layouts,
// and damaged files, each refused with message 42 without touching the
// record it was to fill.

#include "engine/BrisaProjectIO.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>

#include <sys/stat.h>
#include <unistd.h>

namespace aw {
namespace {

// Option 506/7 was 146/70 in the former numbering, 506/8 was 300/5.
const std::vector<CTProjectOptionKey> kOptions = {{506, 7, 146, 70}, {506, 8, 300, 5}};

CTBrisaProjectData Sample()
{
  CTBrisaProjectData d;
  CTBrisaProjectDataIntfV0& v = d.v_intfV0;
  v.v_brisaClsID = 144;
  v.v_brisaObjID = 3;
  v.v_family = 1;
  v.v_supplySpeedId = 11;
  v.v_exhaustSpeedId = 12;
  v.v_altitude = 250;
  v.v_airflowPerPerson = 7.5;
  v.v_nrOfPersons = 40;
  v.v_totalExhaust = 180;
  v.v_designSupplyESP = 120.5;
  v.v_designExhaustESP = 90;
  v.v_highEffFilterSupply = 2;
  v.v_highEffFilterExhaust = 1;
  v.v_coolingData = {27, 47.4, 35, 50, 18, 1.5, kProjectNoValue, kProjectNoValue};
  v.v_heatingData = {20, 50, -7, 80, 25, kProjectNoValue, 0.75, 22};
  d.v_intfV1 = {2, true};
  d.v_options = {{506, 7, 1}, {506, 8, 1}};
  return d;
}

template <class T>
T At(const std::string& bytes, std::size_t offset)
{
  T value{};
  std::memcpy(&value, bytes.data() + offset, sizeof value); // the test machine is little-endian
  return value;
}

template <class T>
void Put(std::string& bytes, std::size_t offset, T value)
{
  std::memcpy(bytes.data() + offset, &value, sizeof value);
}

bool Decode(const std::string& bytes, CTBrisaProjectData& d, TProjectLayout* layout = nullptr)
{
  return CTBrisaProjectIO::DecodeProjectData(bytes, kOptions, d, layout);
}

TEST(BrisaProjectIO, TheCurrentLayoutIsWrittenAtItsOffsetsAndReadBack)
{
  const CTBrisaProjectData d = Sample();
  const std::string bytes = CTBrisaProjectIO::EncodeProjectData(d);
  ASSERT_EQ(bytes.size(), 243u + 12 * 2);
  EXPECT_EQ(bytes.substr(0, 6), "AWR002");
  EXPECT_EQ(At<std::int32_t>(bytes, 6), 144);
  EXPECT_EQ(At<std::int32_t>(bytes, 14), 1);
  EXPECT_EQ(At<std::int32_t>(bytes, 22), 12);
  EXPECT_EQ(At<double>(bytes, 26), 250);
  EXPECT_EQ(At<double>(bytes, 42), kProjectNoValue) << "room surface, absent in persons mode";
  EXPECT_EQ(At<double>(bytes, 58), 40);
  EXPECT_EQ(At<double>(bytes, 82), 120.5);
  EXPECT_EQ(At<std::int32_t>(bytes, 98), 2);
  EXPECT_EQ(At<std::int32_t>(bytes, 102), 1);
  EXPECT_EQ(At<double>(bytes, 106 + 8), 47.4) << "cooling room humidity";
  EXPECT_EQ(At<double>(bytes, 106 + 40), 1.5) << "cooling user inlet heater";
  EXPECT_EQ(At<double>(bytes, 170 + 16), -7) << "heating ambient dry bulb";
  EXPECT_EQ(At<double>(bytes, 170 + 56), 22) << "heating user supply temperature";
  EXPECT_EQ(At<std::int32_t>(bytes, 234), 2);
  EXPECT_EQ(bytes[238], 1);
  EXPECT_EQ(At<std::int32_t>(bytes, 239), 2);
  EXPECT_EQ(At<std::int32_t>(bytes, 243 + 12 + 4), 8);

  CTBrisaProjectData read;
  TProjectLayout layout = TProjectLayout::Legacy;
  ASSERT_TRUE(Decode(bytes, read, &layout));
  EXPECT_EQ(layout, TProjectLayout::Current);
  EXPECT_EQ(read, d);
}

TEST(BrisaProjectIO, OptionRecordsAreMatchedAgainstTheCatalogue)
{
  CTBrisaProjectData d = Sample();
  d.v_options = {{506, 7, 1}, {506, 99, 1}, {506, 8, 3}};
  CTBrisaProjectData read;
  ASSERT_TRUE(Decode(CTBrisaProjectIO::EncodeProjectData(d), read));
  const std::vector<CTBrisaProjectSelOption> kept = {{506, 7, 1}, {506, 8, 3}};
  EXPECT_EQ(read.v_options, kept) << "an option the catalogue lacks is dropped, the others keep their quantity";

  d.v_options = {};
  ASSERT_TRUE(Decode(CTBrisaProjectIO::EncodeProjectData(d), read));
  EXPECT_TRUE(read.v_options.empty()) << "N = 0";

  // The former numbering: the records carry old numbers and get the current ones.
  d.v_options = {{300, 5, 1}, {146, 70, 1}, {506, 7, 1}};
  std::string old = CTBrisaProjectIO::EncodeProjectData(d);
  old.replace(0, 6, "AWR001");
  TProjectLayout layout = TProjectLayout::Current;
  ASSERT_TRUE(Decode(old, read, &layout));
  EXPECT_EQ(layout, TProjectLayout::OldOptionNumbers);
  const std::vector<CTBrisaProjectSelOption> mapped = {{506, 8, 1}, {506, 7, 1}};
  EXPECT_EQ(read.v_options, mapped) << "506/7 is no old number of any option";
}

std::string Legacy(double espAndFilter, std::initializer_list<std::int32_t> options)
{
  std::string bytes(256, '\0');
  Put<std::int32_t>(bytes, 0, 5);
  Put<std::int32_t>(bytes, 4, 0);
  Put<std::int32_t>(bytes, 8, 21);
  Put<std::int32_t>(bytes, 12, 22);
  const double seven[] = {100, 5, 80, 4, kProjectNoValue, kProjectNoValue, kProjectNoValue};
  for (int i = 0; i < 7; ++i)
    Put<double>(bytes, 16 + 8 * static_cast<std::size_t>(i), seven[i]);
  Put<double>(bytes, 72, espAndFilter);
  Put<double>(bytes, 80, std::numeric_limits<double>::quiet_NaN()); // not read
  Put<double>(bytes, 88, 26);    // cooling room dry bulb
  Put<double>(bytes, 88 + 64, 21); // heating room dry bulb
  std::size_t offset = 216;
  for (std::int32_t id : options) {
    Put<std::int32_t>(bytes, offset, id);
    offset += 4;
  }
  return bytes;
}

TEST(BrisaProjectIO, TheLegacyRecordSplitsFilterClassAndPressure)
{
  struct Case
  {
    double stored;
    int filterClass;
    double esp;
  };
  for (const Case& c : {Case{30150, 3, 150}, Case{150, 0, 150}, Case{10000, 0, 10000}, Case{10080.5, 1, 80.5}}) {
    CTBrisaProjectData read;
    TProjectLayout layout = TProjectLayout::Current;
    ASSERT_TRUE(Decode(Legacy(c.stored, {}), read, &layout)) << c.stored;
    EXPECT_EQ(layout, TProjectLayout::Legacy);
    EXPECT_EQ(read.v_intfV0.v_highEffFilterSupply, c.filterClass) << c.stored;
    EXPECT_EQ(read.v_intfV0.v_highEffFilterExhaust, 0);
    EXPECT_DOUBLE_EQ(read.v_intfV0.v_designSupplyESP, c.esp) << c.stored;
    EXPECT_DOUBLE_EQ(read.v_intfV0.v_designExhaustESP, c.esp) << c.stored;
  }
  CTBrisaProjectData read;
  ASSERT_TRUE(Decode(Legacy(150, {70, 99, 0, 5}), read));
  EXPECT_EQ(read.v_intfV0.v_brisaClsID, 144);
  EXPECT_EQ(read.v_intfV0.v_brisaObjID, 5);
  EXPECT_EQ(read.v_intfV0.v_exhaustSpeedId, 22);
  EXPECT_EQ(read.v_intfV0.v_roomSurface, 80);
  EXPECT_EQ(read.v_intfV0.v_coolingData.v_indoorDBT, 26);
  EXPECT_EQ(read.v_intfV0.v_heatingData.v_indoorDBT, 21);
  EXPECT_EQ(read.v_intfV1, CTBrisaProjectDataIntfV1{});
  const std::vector<CTBrisaProjectSelOption> options = {{506, 7, 1}};
  EXPECT_EQ(read.v_options, options) << "old option 70 of class 146; 99 unknown; the list ends at 0";
}

TEST(BrisaProjectIO, DamagedFilesAreRefusedAndChangeNothing)
{
  const std::string good = CTBrisaProjectIO::EncodeProjectData(Sample());
  const auto with = [&](auto mutate) {
    std::string bytes = good;
    mutate(bytes);
    return bytes;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  struct Case
  {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
    {"empty", ""},
    {"only the tag", good.substr(0, 6)},
    {"tagged, 242 bytes", good.substr(0, 242)},
    {"an option record cut short", good.substr(0, 243 + 12 + 5)},
    {"one record fewer than N", good.substr(0, 243 + 12)},
    {"N huge", with([](std::string& b) { Put<std::int32_t>(b, 239, 0x7fffffff); })},
    {"N negative", with([](std::string& b) { Put<std::int32_t>(b, 239, -1); })},
    {"NaN altitude", with([&](std::string& b) { Put<double>(b, 26, nan); })},
    {"infinite heating discharge", with([&](std::string& b) { Put<double>(b, 170 + 32, -inf); })},
    {"supply filter 4", with([](std::string& b) { Put<std::int32_t>(b, 98, 4); })},
    {"exhaust filter -1", with([](std::string& b) { Put<std::int32_t>(b, 102, -1); })},
    {"plenum 3", with([](std::string& b) { Put<std::int32_t>(b, 234, 3); })},
    {"upside-down byte 2", with([](std::string& b) { b[238] = 2; })},
    {"negative number of persons", with([](std::string& b) { Put<double>(b, 58, -3); })},
    {"negative total exhaust", with([](std::string& b) { Put<double>(b, 74, -2147483646.0); })},
    {"unknown tag, 255 bytes", "XYZ" + std::string(252, '\0')},
    {"legacy, filter class above F8", Legacy(40150, {})},
    {"legacy, NaN pressure", Legacy(nan, {})},
  };
  for (const Case& c : cases) {
    CTBrisaProjectData read = Sample();
    read.v_intfV0.v_altitude = 1234;
    const CTBrisaProjectData before = read;
    EXPECT_FALSE(Decode(c.bytes, read)) << c.what;
    EXPECT_EQ(read, before) << c.what;
  }
}

TEST(BrisaProjectIO, FilesAreReplacedAtomicallyAndFailuresNamed)
{
  test::TempDir dir;
  const std::filesystem::path file = dir / "room.awr";
  CTBrisaProjectData read;
  std::optional<CTProjectFileMessage> failure = CTBrisaProjectIO::LoadProjectFile(file.string(), kOptions, read);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->nMsgNo, -2);
  EXPECT_EQ(failure->szParam, file.string());

  ASSERT_FALSE(CTBrisaProjectIO::SaveProjectFile(file.string(), Sample()));
  ASSERT_FALSE(CTBrisaProjectIO::LoadProjectFile(file.string(), kOptions, read));
  EXPECT_EQ(read, Sample());

  test::WriteFileBytes(dir / "bad.awr", "AWR002 short");
  failure = CTBrisaProjectIO::LoadProjectFile((dir / "bad.awr").string(), kOptions, read);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->nMsgNo, 42);

  // A folder that cannot be written: -3, and the old file stays as it was.
  const std::string old = test::ReadFileBytes(file);
  CTBrisaProjectData changed = Sample();
  changed.v_intfV0.v_family = 2;
  const std::filesystem::path blocked = dir / "not-a-folder";
  test::WriteFileBytes(blocked, "x");
  failure = CTBrisaProjectIO::SaveProjectFile((blocked / "room.awr").string(), changed);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->nMsgNo, -3);
  if (geteuid() != 0) { // permissions do not hold the superuser back
    ASSERT_EQ(chmod(dir.Path().c_str(), 0555), 0);
    failure = CTBrisaProjectIO::SaveProjectFile(file.string(), changed);
    chmod(dir.Path().c_str(), 0755);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->nMsgNo, -3);
    EXPECT_EQ(test::ReadFileBytes(file), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 3) << "no temporary file left";
  }
}

} // namespace
} // namespace aw
