#include "app/XMLMatListSettings.h"

#include "docs/XMLMatListSettings.h"
#include "TestApplication.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace aw::app {
namespace {

class XMLMatListSettingsTest : public ::testing::Test
{
protected:
  ~XMLMatListSettingsTest() override { docs::CTXMLMatListSettings::Current() = v_saved; }

  QApplication& v_application = test::TestApplication();
  docs::CTXMLMatListSettings v_saved = docs::CTXMLMatListSettings::Current();
};

TEST_F(XMLMatListSettingsTest, ThePanelsFollowTheChoicesAndStoreOnlyWhatTheChoiceShows)
{
  docs::CTXMLMatListSettings& values = docs::CTXMLMatListSettings::Current();
  values = {};
  values.szSectionHeader = "Head";
  TFrmXMLMatListSettings frame;
  QWidget* entered = nullptr;
  frame.Initialize([&entered](QWidget* control) { entered = control; }, false);
  EXPECT_TRUE(frame.SAPCRMButton()->isChecked());
  EXPECT_EQ(frame.SectionHeaderField()->text(), "Head");
  EXPECT_TRUE(frame.CustPerSystemButton()->isChecked());
  EXPECT_TRUE(frame.PipingBox()->isHidden());
  EXPECT_TRUE(frame.SectionHeaderPanel()->isEnabled());
  EXPECT_FALSE(frame.CustomPanel()->isEnabled());
  EXPECT_TRUE(frame.SectionHeaderField()->isEnabled());

  frame.UseSectionHeaderBox()->setChecked(false);
  EXPECT_FALSE(frame.SectionHeaderField()->isEnabled());
  frame.SectionHeaderField()->setText("Changed");
  frame.StoreSettings();
  EXPECT_FALSE(values.bUseSectionHeader);
  EXPECT_EQ(values.szSectionHeader, "Head"); // kept while the header is off

  frame.CustomButton()->setChecked(true);
  EXPECT_FALSE(frame.SectionHeaderPanel()->isEnabled());
  EXPECT_FALSE(frame.SectionHeaderField()->isEnabled());
  EXPECT_TRUE(frame.CustomPanel()->isEnabled());
  frame.CustBothButton()->setChecked(true);
  frame.PipingBox()->setChecked(false);
  frame.StoreSettings();
  EXPECT_FALSE(values.bSAPCRM);
  EXPECT_TRUE(values.bCustAll);
  EXPECT_TRUE(values.bCustPerSystem);
  EXPECT_TRUE(values.bCustPiping); // the hidden piping box changes nothing

  // Without the two choices the custom panel goes too.
  frame.SetChoicesVisible(false);
  EXPECT_TRUE(frame.SAPCRMButton()->isHidden());
  EXPECT_TRUE(frame.CustomPanel()->isHidden());

  QFocusEvent focus(QEvent::FocusIn);
  QApplication::sendEvent(frame.SectionHeaderField(), &focus);
  EXPECT_EQ(entered, frame.SectionHeaderField());
}

} // namespace
} // namespace aw::app
