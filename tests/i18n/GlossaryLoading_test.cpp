#include "i18n/GlossaryLoading.h"

#include "catalogue/CatalogueSession.h"
#include "catalogue/ClDevice.h"
#include "i18n/BaseMsgMan.h"
#include "i18n/CatalogueTexts.h"
#include "i18n/LocalizationSupport.h"
#include "i18n/MessageTexts.h"
#include "platform/Resources.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace aw::i18n {
namespace {

const std::uint32_t kShippedLanguages[] = {kLangGerman, kLangFrench};

std::unique_ptr<CTUnicodeGlossary> Shipped(GlossaryLoad load)
{
  EXPECT_EQ(load.szError, "");
  EXPECT_NE(load.glossary, nullptr);
  return std::move(load.glossary);
}

TEST(ShippedGlossaries, TranslateEveryMessageText)
{
  RegisterProgramMessages();
  for (std::uint32_t nLanguage : kShippedLanguages) {
    const auto glossary = Shipped(LoadInterfaceGlossary(nLanguage, {}));
    ASSERT_TRUE(glossary);
    EXPECT_EQ(glossary->TargetLanguage(), nLanguage);
    for (const CTStringObtain& range : MessageRanges().Ranges())
      for (int n = range.nLowest; n <= range.nHighest; ++n)
        if (const std::string text = range.obtain(n); !text.empty()) {
          EXPECT_TRUE(glossary->UniqueTranslationFor(text)) << nLanguage << ": message " << n << " \"" << text << '"';
        }
  }
}

TEST(ShippedGlossaries, TranslateEveryCatalogueText)
{
  CTCatalogueSession session;
  ASSERT_TRUE(session.Connect()) << session.LastError();
  const std::set<std::string> texts = MultilingualTexts(session.Factory());
  ASSERT_FALSE(texts.empty());
  for (std::uint32_t nLanguage : kShippedLanguages) {
    const auto glossary = Shipped(LoadCatalogueGlossary(nLanguage));
    ASSERT_TRUE(glossary);
    for (const std::string& text : texts)
      EXPECT_NE(glossary->FindTranslationFor(text), "") << nLanguage << ": \"" << text << '"';
  }
}

TEST(ShippedGlossaries, TranslateStoredTextsThroughTheDatabase)
{
  const auto glossary = Shipped(LoadCatalogueGlossary(kLangGerman));
  ASSERT_TRUE(glossary);
  CTCatalogueSession::UseGlossary(glossary.get());
  CTCatalogueSession session;
  CTCatalogueSession::UseGlossary(nullptr);
  ASSERT_TRUE(session.Connect()) << session.LastError();

  std::set<std::string> families, options;
  for (CTDbObject* object : CTDbObject::GetAllRecords(Cls_IndFamily::kClassID, true, &session.Factory()))
    families.insert(static_cast<Cls_IndFamily*>(object)->GetName());
  for (CTDbObject* object : CTDbObject::GetAllRecords(Cls_DeviceOption::kClassID, true, &session.Factory())) {
    const auto* option = static_cast<Cls_DeviceOption*>(object);
    options.insert(option->GetDescription());
    EXPECT_NE(option->GetUntranslatedStringValue(Cls_DeviceOption::ixDescription), option->GetDescription());
  }
  EXPECT_TRUE(families.contains("Brisa L\u00fcftung mit W\u00e4rmer\u00fcckgewinnung")) << ::testing::PrintToString(families);
  EXPECT_TRUE(options.contains("F7-Filtersatz f\u00fcr Brisa 500")) << ::testing::PrintToString(options);
}

TEST(GlossaryLoading, PicksTheResourceOfTheLanguage)
{
  EXPECT_EQ(GlossaryResourceName(kInterfaceGlossaryResource, kLangGerman), "UIGlossaryXML.de");
  EXPECT_EQ(GlossaryResourceName(kCatalogueGlossaryResource, kLangFrench), "CentralGlossary.fr");
  // English has no glossary: nothing to load and nothing wrong.
  const GlossaryLoad english = LoadInterfaceGlossary(kLangEnglish, {});
  EXPECT_EQ(english.glossary, nullptr);
  EXPECT_EQ(english.szError, "");
  EXPECT_EQ(Shipped(LoadInterfaceGlossary(kLangFrench, {}))->FindTranslationFor("Selection"), "S\u00e9lection");
}

TEST(GlossaryLoading, AFileBesideTheProgramWinsAndAnUnreadableOneLoadsNothing)
{
  test::TempDir dir;
  test::WriteFileBytes(dir / "airwright.xml", "<?xml version=\"1.0\"?>\r\n<Workbook xmlns=\"urn:schemas-microsoft-com:"
                                              "office:spreadsheet\"><Worksheet><Table><Row><Cell><Data>1036</Data>"
                                              "</Cell></Row><Row><Cell><Data>Selection</Data></Cell><Cell><Data>"
                                              "Choix</Data></Cell></Row></Table></Worksheet></Workbook>");
  const auto mine = Shipped(LoadInterfaceGlossary(kLangGerman, dir / "airwright.xml"));
  ASSERT_TRUE(mine);
  EXPECT_EQ(mine->FindTranslationFor("Selection"), "Choix");

  test::WriteFileBytes(dir / "airwright.xml", "<?xml version=\"1.0\"?>\r\n<Workbook><Worksheet>");
  const GlossaryLoad broken = LoadInterfaceGlossary(kLangGerman, dir / "airwright.xml");
  EXPECT_EQ(broken.glossary, nullptr);
  EXPECT_NE(broken.szError.find((dir / "airwright.xml").string() + ": line 2"), std::string::npos) << broken.szError;

  platform::Resources::Replace("CentralGlossary.de", {std::byte{'<'}});
  const GlossaryLoad resource = LoadCatalogueGlossary(kLangGerman);
  platform::Resources::RestoreEmbedded();
  EXPECT_EQ(resource.glossary, nullptr);
  EXPECT_NE(resource.szError.find("CentralGlossary.de"), std::string::npos) << resource.szError;
}

TEST(GlossaryLoading, TheInterfaceGlossaryTranslatesMessages)
{
  RegisterProgramMessages();
  const auto glossary = Shipped(LoadInterfaceGlossary(kLangGerman, {}));
  ASSERT_TRUE(glossary);
  UseInterfaceGlossary(glossary.get());
  const std::string german = GetUnicodeString(kMsgUnableToOpenFile, {"a.awr"});
  const std::uint32_t nLanguage = InterfaceLanguage();
  UseInterfaceGlossary(nullptr);
  EXPECT_EQ(german, "Die Datei a.awr kann nicht ge\u00f6ffnet werden");
  EXPECT_EQ(nLanguage, kLangGerman);
  EXPECT_EQ(GetUnicodeString(kMsgUnableToOpenFile, {"a.awr"}), "Unable to open file a.awr");
  EXPECT_EQ(InterfaceLanguage(), kLangEnglish);
}

} // namespace
} // namespace aw::i18n
