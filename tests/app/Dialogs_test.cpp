#include "app/BaseMsgDialog.h"
#include "app/FrameBottomPanelExt.h"
#include "app/ProgressWindows.h"
#include "i18n/MessageTexts.h"

#include "RecordingPrompts.h"
#include "TestApplication.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace aw::app {
namespace {

using B = i18n::DialogButton;

class DialogsTest : public ::testing::Test
{
protected:
  DialogsTest()
  {
    test::TestApplication();
    i18n::RegisterProgramMessages();
  }

  test::RecordingPrompts v_prompts;
  ScopedUserPrompts v_scoped{v_prompts};
};

std::vector<QString> VisibleButtonsLeftToRight(const TBaseMsg& dialog)
{
  std::vector<std::pair<int, QString>> shown;
  for (int b = 0; b < i18n::kDialogButtonCount; ++b) {
    QPushButton* button = dialog.Button(static_cast<B>(b));
    if (button->isVisible())
      shown.emplace_back(button->x(), button->objectName());
  }
  std::sort(shown.begin(), shown.end());
  std::vector<QString> names;
  for (const auto& entry : shown)
    names.push_back(entry.second);
  return names;
}

TEST_F(DialogsTest, QuestionShowsItsButtonsInOrderAndAnswersTheirCodes)
{
  TBaseMsg dialog(nullptr, MessageRequest{nullptr, i18n::DialogKind::Question, {B::Cancel, B::No, B::Yes}, 74, {}});
  dialog.show();
  EXPECT_EQ(VisibleButtonsLeftToRight(dialog), (std::vector<QString>{"Btn_Yes", "Btn_No", "Btn_Cancel"}));
  EXPECT_EQ(dialog.windowTitle(), "Confirm");
  EXPECT_EQ(dialog.MessageText(), "Your project has not been saved. Save it now?");
  EXPECT_TRUE(dialog.Button(B::Yes)->isDefault());
  // The buttons end inside the dialog, right-aligned with the margin.
  EXPECT_EQ(dialog.Button(B::Cancel)->geometry().right() + 1 + 8, dialog.width());

  dialog.Button(B::No)->click();
  EXPECT_EQ(dialog.ReturnCode(), 7);
  EXPECT_FALSE(dialog.isVisible());
}

TEST_F(DialogsTest, EscapeAnswersTheEscapeButtonAndClosingWithoutOneKeepsTwo)
{
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  // Every question with a Cancel button takes Escape as Cancel.
  const struct
  {
    i18n::DialogButtons buttons;
    int escapeCode;
  } cases[] = {
    {{B::Yes, B::No}, 7},
    {{B::Yes, B::No, B::Cancel}, 2},
    {{B::OK, B::Cancel}, 2},
    {{B::Abort, B::Retry, B::Cancel}, 2},
    {{B::Yes, B::YesToAll, B::No, B::NoToAll, B::Cancel}, 2},
  };
  for (const auto& c : cases) {
    TBaseMsg question(nullptr, MessageRequest{nullptr, i18n::DialogKind::Question, c.buttons, 74, {}});
    question.show();
    QApplication::sendEvent(&question, &escape);
    EXPECT_EQ(question.ReturnCode(), c.escapeCode);
    EXPECT_FALSE(question.isVisible());
  }

  TBaseMsg ok(nullptr, MessageRequest{nullptr, i18n::DialogKind::Information, {B::OK}, 5, {}});
  ok.show();
  QApplication::sendEvent(&ok, &escape);
  EXPECT_EQ(ok.ReturnCode(), 2);
  EXPECT_FALSE(ok.isVisible());
}

TEST_F(DialogsTest, ErrorHasOnlyOKTheErrorIconAndItsCaption)
{
  TBaseMsg dialog(nullptr, MessageRequest{nullptr, i18n::DialogKind::Error, {B::OK}, -2, {"/tmp/a.awr"}});
  dialog.show();
  EXPECT_EQ(VisibleButtonsLeftToRight(dialog), std::vector<QString>{"Btn_OK"});
  EXPECT_EQ(dialog.windowTitle(), "Error");
  EXPECT_FALSE(dialog.Icon()->pixmap().isNull());
  EXPECT_EQ(dialog.MessageText(), "Unable to open file /tmp/a.awr");
  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
}

TEST_F(DialogsTest, ManyButtonsWidenTheDialog)
{
  TBaseMsg dialog(nullptr, MessageRequest{nullptr, i18n::DialogKind::Warning,
                                          {B::Yes, B::No, B::OK, B::Cancel, B::Abort, B::Retry, B::Ignore, B::All,
                                           B::NoToAll, B::YesToAll},
                                          i18n::kMsgLines, {"line one", "line two"}});
  dialog.show();
  EXPECT_EQ(VisibleButtonsLeftToRight(dialog).front(), "Btn_OK");
  EXPECT_EQ(dialog.Button(B::OK)->x(), 8);
  EXPECT_GT(dialog.width(), 394);
  EXPECT_EQ(dialog.MessageText(), "line one\nline two");
}

TEST_F(DialogsTest, DisplayFunctionsGoThroughThePrompts)
{
  TBaseMsg::DisplayError(nullptr, -1, {"x.awr"});
  TBaseMsg::DisplayHint(nullptr, QStringList{"a", "b"});
  v_prompts.answers = {6};
  EXPECT_EQ(TBaseMsg::DisplayQuestion(nullptr, 74, {B::Yes, B::No}), 6);
  ASSERT_EQ(v_prompts.questions.size(), 3u);
  EXPECT_EQ(v_prompts.questions[0].kind, i18n::DialogKind::Error);
  EXPECT_EQ(v_prompts.questions[0].buttons, (i18n::DialogButtons{B::OK}));
  EXPECT_EQ(v_prompts.questions[0].params, (i18n::MessageParams{"x.awr"}));
  EXPECT_EQ(v_prompts.questions[1].nMessage, i18n::kMsgLines);
  EXPECT_EQ(v_prompts.questions[1].kind, i18n::DialogKind::Information);
  EXPECT_EQ(v_prompts.questions[2].kind, i18n::DialogKind::Question);
}

TEST_F(DialogsTest, TextEntryRefusesWhatItsRulesForbidAndStaysOpen)
{
  EditRequest request;
  request.nCaption = 20;
  request.nMessage = i18n::kMsgLines;
  request.params = {"Number of persons"};
  request.szDefault = "0";
  request.rules = {false, true, true, false, false};
  TBaseMsg dialog(nullptr, request);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), "Confirm");
  EXPECT_TRUE(dialog.Icon()->isHidden());
  EXPECT_EQ(VisibleButtonsLeftToRight(dialog), (std::vector<QString>{"Btn_OK", "Btn_Cancel"}));

  dialog.Button(B::OK)->click();
  ASSERT_EQ(v_prompts.questions.size(), 1u);
  EXPECT_EQ(v_prompts.questions[0].nMessage, -8);
  EXPECT_EQ(v_prompts.questions[0].params, (i18n::MessageParams{"0"}));
  EXPECT_TRUE(dialog.isVisible());

  // Typing is filtered; an empty text disables OK.
  dialog.EditField()->setFocus();
  QApplication::setActiveWindow(&dialog);
  dialog.EditField()->clear();
  EXPECT_FALSE(dialog.Button(B::OK)->isEnabled());
  dialog.EditField()->insert("1x2");
  if (QApplication::focusWidget() == dialog.EditField()) {
    EXPECT_EQ(dialog.EditField()->text(), "102");
  }
  dialog.EditField()->setText(" 12 ");
  EXPECT_TRUE(dialog.Button(B::OK)->isEnabled());
  dialog.Button(B::OK)->click();
  EXPECT_EQ(dialog.ReturnCode(), 1);
  EXPECT_EQ(dialog.EditedText(), "12");
}

// A dialog with a bottom panel, as every property dialog has.
class PropertyDialog : public TBasicDialog
{
public:
  PropertyDialog(bool bReadOnly, bool bAcceptOK) : TBasicDialog(nullptr, bReadOnly), v_acceptOK(bAcceptOK)
  {
    setWindowTitle("Distributor");
    v_panel = new TFraBottomPanelExt(this);
    v_field = new QLineEdit(this);
    v_field->setStatusTip("Name|The distributor's name");
    v_field->move(0, 60);
  }
  bool ValidateOK(int) override { return v_acceptOK; }
  TFraBottomPanelExt* v_panel;
  QLineEdit* v_field;
  bool v_acceptOK;
};

TEST_F(DialogsTest, ReadOnlyDialogShowsASingleCloseButton)
{
  PropertyDialog dialog(true, true);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), "Distributor (Read-only)");
  EXPECT_TRUE(dialog.v_panel->CancelButton()->isHidden());
  EXPECT_EQ(dialog.v_panel->OKButton()->text(), "&Close");
  EXPECT_EQ(dialog.v_panel->OKButton()->toolTip(), "Close the window");
}

TEST_F(DialogsTest, BottomPanelRunsOKThroughValidationAndShowsLongHints)
{
  PropertyDialog refusing(false, false);
  refusing.show();
  EXPECT_FALSE(refusing.v_panel->CancelButton()->isHidden());
  refusing.v_panel->OKButton()->click();
  EXPECT_TRUE(refusing.isVisible());
  EXPECT_EQ(refusing.ReturnCode(), 2);

  QEvent enter(QEvent::Enter);
  QApplication::sendEvent(refusing.v_field, &enter);
  EXPECT_EQ(refusing.v_panel->StatusLine()->text(), "The distributor's name");
  TFraBottomPanelExt::DoGlobalOnEnter(refusing.v_panel, refusing.v_panel->StatusLine(), 0); // frame without hint
  EXPECT_EQ(refusing.v_panel->StatusLine()->text(), "The distributor's name");
  TFraBottomPanelExt::DoGlobalOnEnter(nullptr, refusing.v_panel->StatusLine(), 0);
  EXPECT_EQ(refusing.v_panel->StatusLine()->text(), "");

  refusing.v_panel->CancelButton()->click();
  EXPECT_FALSE(refusing.isVisible());

  PropertyDialog accepting(false, true);
  accepting.show();
  accepting.v_panel->OKButton()->click();
  EXPECT_EQ(accepting.ReturnCode(), 1);
}

TEST_F(DialogsTest, ProgressWindowShowsThePercentageOfActionsDone)
{
  TFrm_Busy busy(nullptr);
  busy.show();
  EXPECT_EQ(busy.windowTitle(), "Progress");
  busy.SetTotalActions(8);
  for (int i = 0; i < 3; ++i)
    busy.IncActionNr();
  EXPECT_EQ(busy.PercentageText(), "37%");
  busy.SetActionString("Reading the catalogue");
  EXPECT_EQ(busy.ActionText(), "Reading the catalogue");
  EXPECT_GT(busy.FilledWidth(), 0);
}

TEST_F(DialogsTest, WaitWindowShowsItsMessage)
{
  const std::unique_ptr<TFrm_WaitFor> wait = TFrm_WaitFor::CreateForMessageID(nullptr, 5003, "Catalogue");
  EXPECT_TRUE(wait->isVisible());
  EXPECT_EQ(wait->windowTitle(), "Please Wait...");
  EXPECT_EQ(wait->Message(), "Database 'Catalogue' is in use.");
}

TEST_F(DialogsTest, LogonGivesTheCredentialsOnlyAfterOK)
{
  TFrm_Logon logon(nullptr);
  logon.show();
  logon.NameField()->setText("engineer");
  logon.PasswordField()->setText("secret");
  EXPECT_EQ(logon.PasswordField()->echoMode(), QLineEdit::Password);
  logon.CancelButton()->click();
  EXPECT_FALSE(logon.LoggedOn());
  EXPECT_EQ(logon.GetName(), "");

  logon.show();
  logon.OKButton()->click();
  EXPECT_TRUE(logon.LoggedOn());
  EXPECT_EQ(logon.GetName(), "engineer");
  EXPECT_EQ(logon.GetPassword(), "secret");
}

TEST_F(DialogsTest, FileFiltersBecomeQtFilters)
{
  EXPECT_EQ(QtFileFilter("Airwright Project files (*.awr)|*.awr|All files (*.*)|*.*"),
            "Airwright Project files (*.awr);;All files (*.*)");
}

} // namespace
} // namespace aw::app
