#include "MemDbFixture.h"
#include "db/DbFileFormat.h"
#include "foundation/LZSS.h"

#include <gtest/gtest.h>

namespace aw {
namespace {

using namespace aw::test;

std::string Compressed(const std::string& signature, const std::string& text)
{
  CTMemoryStream out;
  CTLZSSCompressorStream compressor(out, signature);
  compressor.WriteBuffer(text.data(), text.size());
  compressor.Finish();
  return out.Text();
}

class DbFileFormatTest : public MemDbTest
{
};

TEST_F(DbFileFormatTest, TheWorkedExampleLoadsPlainAndBehindTheSignature)
{
  for (bool compressed : {false, true}) {
    SCOPED_TRACE(compressed);
    NewEngine();
    CTMemDbEngine::UseCompression(true);
    CTMemDbEngine::SetCompressionSignature("Q7R");
    ASSERT_TRUE(Load(compressed ? Compressed("Q7R", kWorkedExample) : kWorkedExample)) << engine->LastError();
    auto version = Stored(kVersion, 1);
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->GetUntranslatedStringValue(DVI_DbVersion), "14.3");
    EXPECT_EQ(version->GetIntegerValue(DVI_MaxPercentageOUBasket), 120) << "a field missing from the file keeps its default";
    EXPECT_EQ(engine->CountObjects(kFamily), 0);
  }
}

TEST_F(DbFileFormatTest, AWrittenDatabaseReadsBackWithTheSameObjects)
{
  const std::string text = "back\\slash\ttab \xC3\xA9t\xC3\xA9 \"quoted\"";
  const ByteArray bytes{std::byte{0x00}, std::byte{0x5C}, std::byte{0xFF}, std::byte{0x41}};
  const TGUID key{0xDEADBEEF, 0x0123, 0x4567, {0x89, 0xAB, 0xCD, 0xEF, 1, 2, 3, 4}};
  auto family = Insert(kFamily, [&](CTDbObject& f) {
    f.SetUnicodeStringValue(FAM_Name, text);
    f.SetBooleanValue(FAM_Flag, false);
    f.SetCurrencyValue(FAM_Price, -123456789);
    f.SetTDateTimeValue(FAM_Date, 46000.75);
    f.SetTGUIDValue(FAM_Key, key);
  });
  ASSERT_TRUE(family->SetBinaryValue(FAM_Blob, bytes));
  const double doubles[] = {0.1, 1e20, 1.5e-7, -2.5, 48.000000000000007, 6.02214076e23, 5e-324};
  std::vector<int> ids;
  for (double d : doubles)
    ids.push_back(Insert(kBrisa, [&](CTDbObject& b) {
                    b.SetDoubleValue(DEV_Weight, d);
                    b.SetRelationByIx(BRI_Family, family.get());
                  })->GetID());
  auto plenum = Insert(kPlenum, [&](CTDbObject& p) { p.SetRelationByIx(PLN_Brisa, Stored(kBrisa, ids[0]).get()); });
  Insert(kOption, [](CTDbObject& o) { o.SetIntegerValue(OPT_Code, -42); });

  const std::string written = Written();
  EXPECT_NE(written.find("back\\5Cslash\\09tab \\C3\\A9t\\C3\\A9"), std::string::npos) << written;
  EXPECT_NE(written.find("8 12 \\00\\5C\\FF\\41 "), std::string::npos);
  EXPECT_NE(written.find("9 38 {DEADBEEF-0123-4567-89AB-CDEF01020304} "), std::string::npos);
  EXPECT_NE(written.find("4 1E20 "), std::string::npos);
  EXPECT_NE(written.find("4 1.5E-7 "), std::string::npos);
  EXPECT_NE(written.find("6 -12345.6789 "), std::string::npos);

  NewEngine();
  ASSERT_TRUE(Load(written)) << engine->LastError();
  auto back = Stored(kFamily, family->GetID());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->GetUntranslatedStringValue(FAM_Name), text);
  EXPECT_FALSE(back->GetBooleanValue(FAM_Flag));
  EXPECT_EQ(back->GetCurrencyValue(FAM_Price), -123456789);
  EXPECT_DOUBLE_EQ(back->GetTDateTimeValue(FAM_Date), 46000.75);
  EXPECT_EQ(back->GetTGUIDValue(FAM_Key), key);
  ByteArray backBytes;
  ASSERT_TRUE(back->GetBinaryValue(FAM_Blob, backBytes));
  EXPECT_EQ(backBytes, bytes);
  for (std::size_t i = 0; i < ids.size(); ++i)
    EXPECT_EQ(Stored(kBrisa, ids[i])->GetDoubleValue(DEV_Weight), doubles[i]) << "exactly, " << doubles[i];
  EXPECT_EQ(back->GetRelatedByIx(kBrisa, BRI_Family).Count(), static_cast<int>(ids.size())) << "references are registered";
  EXPECT_EQ(Stored(kPlenum, plenum->GetID())->GetIntegerValue(PLN_Brisa + 1), ids[0]);
  EXPECT_EQ(engine->TableMap(kBrisa)->GetMaxID(), ids.back());
  EXPECT_EQ(Written(), written) << "writing again gives the same text";
}

TEST_F(DbFileFormatTest, UnknownTablesAndColumnsAreSkippedAndShortHeadersAccepted)
{
  const std::string text =
    "EDI100\r\n"
    "5 11 Tbl_Unknown 77\r\n5 6 UNK_ID 2\r\n5 8 UNK_Blob 8\r\n0\r\n"
    "5 10 Tbl_Family 3\r\n5 6 FAM_ID 2\r\n5 9 FAM_Extra 8\r\n5 8 FAM_Name 10\r\n5 9 FAM_Other 4\r\n0\r\n"
    "0\r\n"
    "2 77 2 0 2 2 2 9\r\n2 1 8 3 \\00 \r\n2 2 8 0  \r\n"
    "2 3 2 2\r\n2 4 8 3 \\5C 10 5 First 4 0.5 \r\n2 9 8 0  10 6 Second 4 -1 \r\n"
    "0\r\n";
  ASSERT_TRUE(Load(text)) << engine->LastError();
  EXPECT_EQ(engine->CountObjects(kFamily), 2);
  EXPECT_EQ(Stored(kFamily, 9)->GetUntranslatedStringValue(FAM_Name), "Second");
  EXPECT_TRUE(Stored(kFamily, 4)->GetBooleanValue(FAM_Flag)) << "a field missing from the file keeps its default";
  EXPECT_EQ(engine->TableMap(kFamily)->GetMaxID(), 9) << "a short header takes the largest id read";
}

TEST_F(DbFileFormatTest, DamagedTextsFailWithTheirReason)
{
  const std::string head = "EDI100\r\n5 10 Tbl_Family 3\r\n5 6 FAM_ID 2\r\n5 8 FAM_Name 10\r\n5 9 FAM_Price 6\r\n0\r\n0\r\n";
  const struct
  {
    const char* what;
    std::string text;
    const char* reason;
  } cases[] = {
    {"empty", "", "signature"},
    {"only the header", "EDI100\r\n", "ends too early"},
    {"another version", "EDI099\r\n0\r\n0\r\n", "signature"},
    {"no end of the data section", head + "2 3 2 0 2 1 2 1\r\n2 1 10 1 A 6 1 \r\n", "ends too early"},
    {"a record cut short", head + "2 3 2 0 2 2 2 2\r\n2 1 10 1 A 6 1 \r\n2 2 10", "ends too early"},
    {"a text cut short", head + "2 3 2 0 2 1 2 1\r\n2 1 10 9 ABC", "ends inside a text"},
    {"a bad escape", head + "2 3 2 0 2 1 2 1\r\n2 1 10 3 \\ZZ 6 1 \r\n0\r\n", "bad escape"},
    {"letters in a number", head + "2 3 2 0 2 1 2 1\r\n2 1x 10 1 A 6 1 \r\n0\r\n", "number was expected"},
    {"a number too large", head + "2 3 2 0 2 1 2 1\r\n2 99999999999 10 1 A 6 1 \r\n0\r\n", "too large"},
    {"no number in a double column", head + "2 3 2 0 2 1 2 1\r\n2 1 10 1 A 6 abc \r\n0\r\n", "not a number"},
    {"a second data block", head + "2 3 2 0 2 1 2 1\r\n2 1 10 1 A 6 1 \r\n2 3 2 0 2 1 2 2\r\n2 2 10 1 B 6 1 \r\n0\r\n", "second data block"},
    {"an id used twice", head + "2 3 2 0 2 2 2 1\r\n2 1 10 1 A 6 1 \r\n2 1 10 1 B 6 1 \r\n0\r\n", "used twice"},
    {"a negative count", head + "2 3 2 -1\r\n0\r\n", "negative"},
    {"a table number used twice",
     "EDI100\r\n5 10 Tbl_Family 3\r\n0\r\n5 9 Tbl_Brisa 3\r\n0\r\n0\r\n0\r\n", "used twice"},
    {"a column of another type", "EDI100\r\n5 10 Tbl_Family 3\r\n5 8 FAM_Flag 10\r\n0\r\n0\r\n0\r\n", "does not fit"},
    {"an unknown type code", "EDI100\r\n5 10 Tbl_Family 3\r\n5 8 FAM_Name 3\r\n0\r\n0\r\n0\r\n", "unknown type code"},
    {"a skipped block cut short", "EDI100\r\n5 5 Tbl_X 9\r\n0\r\n0\r\n2 9 2 3\r\n1\r\n", "inside a record"},
    {"a value that does not fit", head + "2 3 2 0 2 1 2 1\r\n2 1 0 1 6 1 \r\n0\r\n", "does not fit"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    NewEngine();
    EXPECT_FALSE(Load(c.text));
    EXPECT_NE(engine->LastError().find(c.reason), std::string::npos) << engine->LastError();
  }
}

// A text that is not UTF-8 fails the strict load; the auto-corrected load
// keeps it with U+FFFD for each bad byte, so what it writes loads strictly.
TEST_F(DbFileFormatTest, AutoCorrectionMendsATextThatIsNotUtf8)
{
  const std::string text = "EDI100\r\n5 10 Tbl_Family 3\r\n5 6 FAM_ID 2\r\n5 8 FAM_Name 10\r\n0\r\n0\r\n"
                           "2 3 2 0 2 1 2 1\r\n2 1 10 12 14\\C93\\FF\\E2 \r\n0\r\n";
  EXPECT_FALSE(Load(text));
  EXPECT_NE(engine->LastError().find("not UTF-8 from its byte 3"), std::string::npos) << engine->LastError();

  NewEngine();
  CTMemDbEngine::SetAutoCorrect(true);
  ASSERT_TRUE(Load(text)) << engine->LastError();
  EXPECT_EQ(Stored(kFamily, 1)->GetUntranslatedStringValue(FAM_Name), "14\uFFFD3\uFFFD\uFFFD");
  EXPECT_EQ(engine->LastReadReport().mendedTexts, 1);
  EXPECT_TRUE(engine->LastReadReport().ChangedAnything());
  const std::string written = Written();

  NewEngine();
  CTMemDbEngine::SetAutoCorrect(false);
  ASSERT_TRUE(Load(written)) << engine->LastError();
  EXPECT_EQ(Written(), written);
}

TEST_F(DbFileFormatTest, ATruncatedCompressedStreamFails)
{
  CTMemDbEngine::UseCompression(true);
  CTMemDbEngine::SetCompressionSignature("Q7R");
  const std::string full = Compressed("Q7R", kWorkedExample);
  EXPECT_FALSE(Load(full.substr(0, full.size() - 3)));
  NewEngine();
  EXPECT_TRUE(Load(kWorkedExample)) << "a text without the signature is read as plain text";
}

TEST_F(DbFileFormatTest, DoublesUseTheGeneralFormatWithTheShortestDigits)
{
  const struct
  {
    double value;
    const char* text;
  } cases[] = {{14.3, "14.3"}, {0.5, "0.5"}, {1e20, "1E20"}, {1.5e-7, "1.5E-7"}, {0.0001, "0.0001"},
               {123456789012345.0, "123456789012345"}, {1e15, "1E15"}, {-0.25, "-0.25"}, {0, "0"},
               {0.1 + 0.2, "0.30000000000000004"}, {100, "100"}};
  for (const auto& c : cases) {
    EXPECT_EQ(FormatEdiDouble(c.value), c.text);
    EXPECT_EQ(ParseEdiDouble(c.text), c.value) << c.text;
  }
  EXPECT_EQ(ParseEdiDouble("1E999"), std::numeric_limits<double>::max());
  EXPECT_EQ(ParseEdiDouble("-1E999"), -std::numeric_limits<double>::max());
  EXPECT_EQ(ParseEdiDouble("1E-999"), 0.0);
  for (const char* bad : {"", "abc", "1,5", "1.5x", "0x10"})
    EXPECT_FALSE(ParseEdiDouble(bad).has_value()) << bad;
}

} // namespace
} // namespace aw
