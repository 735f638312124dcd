#include "app/FrmApproveTranslation.h"

#include "app/FrameBottomPanelExt.h"
#include "app/UserPrompts.h"
#include "foundation/VersionInfo.h"
#include "i18n/GlossaryLoading.h"
#include "i18n/LangSupport.h"
#include "i18n/MessageTexts.h"
#include "i18n/TranslationApproval.h"
#include "platform/AtomicFile.h"
#include "platform/SettingsRoots.h"
#include "platform/SettingsStore.h"
#include "platform/UserFolders.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QUuid>
#include <QVBoxLayout>

#include <system_error>

namespace aw::app {
namespace {

constexpr const char* kFirstName = "First Name";
constexpr const char* kLastName = "Last Name";
constexpr const char* kEmail = "Email";

QLineEdit* AddField(QFormLayout* form, const char* szName, const QString& szCaption, const QString& szHint)
{
  auto* edit = new QLineEdit;
  edit->setObjectName(QString::fromLatin1(szName));
  edit->setToolTip(szHint);
  edit->setStatusTip(szHint);
  form->addRow(szCaption, edit);
  return edit;
}

QString StoredText(const char* szName)
{
  return QString::fromStdString(
    platform::SettingsStore::User().ReadString(platform::kMakerRoot, szName).value_or(std::string()));
}

} // namespace

TFrmApproveTranslation::TFrmApproveTranslation(QWidget* owner) : TBasicDialog(owner)
{
  setObjectName(QStringLiteral("TFrmApproveTranslation"));
  setWindowTitle(QStringLiteral("Approve Translation"));
  auto* layout = new QVBoxLayout(this);
  Tab_Pages = new QTabWidget(this);
  Tab_Approve = new QWidget;
  Tab_Approve->setObjectName(QStringLiteral("Tab_Approve"));
  Tab_Pages->addTab(Tab_Approve, QString());
  layout->addWidget(Tab_Pages, 1);

  auto* page = new QVBoxLayout(Tab_Approve);
  Mmo_Text = new QPlainTextEdit;
  Mmo_Text->setObjectName(QStringLiteral("Mmo_Text"));
  Mmo_Text->setReadOnly(true);
  page->addWidget(Mmo_Text);
  Lbx_Text = new QListWidget(this);
  Lbx_Text->setObjectName(QStringLiteral("Lbx_Text"));
  Lbx_Text->addItems({QStringLiteral("Approve the translation of this program."),
                      QStringLiteral("After your approval the translation will be available for download on the "
                                     "Halden server."),
                      QString(),
                      QStringLiteral("Caution: Make sure you have not renamed the executable file you have "
                                     "downloaded for approval.")});
  Lbx_Text->hide();
  auto* facts = new QFormLayout;
  Lbl_ProjectName = new QLabel;
  Lbl_ProjectName->setObjectName(QStringLiteral("Lbl_ProjectName"));
  Lbl_Language = new QLabel;
  Lbl_Language->setObjectName(QStringLiteral("Lbl_Language"));
  facts->addRow(QStringLiteral("Program name"), Lbl_ProjectName);
  facts->addRow(QStringLiteral("Language"), Lbl_Language);
  page->addLayout(facts);
  auto* person = new QGroupBox(QStringLiteral("Korvath affiliate approving the translation"));
  auto* form = new QFormLayout(person);
  Txt_TrFirstName = AddField(form, "Txt_TrFirstName", QStringLiteral("First name"),
                             QStringLiteral("Please enter your first name"));
  Txt_TrLastName = AddField(form, "Txt_TrLastName", QStringLiteral("Last name"),
                            QStringLiteral("Please enter your last name"));
  Txt_TrEmail = AddField(form, "Txt_TrEmail", QStringLiteral("E-mail"), QStringLiteral("Please enter your e-mail address"));
  page->addWidget(person);

  Lbl_Approve = HiddenText("Lbl_Approve", QStringLiteral("Approve"));
  Lbl_ErrInvalidEmail = HiddenText("Lbl_ErrInvalidEmail", QStringLiteral("'$1' does not appear to be a valid e-mail address"));
  Lbl_ErrFileErr = HiddenText("Lbl_ErrFileErr", QStringLiteral("Unable to prepare approval for sending. Please contact "
                                                                "your Korvath representative"));
  Lbl_HinSaved = HiddenText("Lbl_HinSaved", QStringLiteral("The approval has been saved in $1. Please send this file "
                                                            "to your Korvath representative."));
  Fra_BottomPanel = new TFraBottomPanelExt(this);
  layout->addWidget(Fra_BottomPanel);
  resize(520, 460);
}

QLabel* TFrmApproveTranslation::HiddenText(const char* szName, const QString& szText)
{
  auto* label = new QLabel(szText, this);
  label->setObjectName(QString::fromLatin1(szName));
  label->hide();
  return label;
}

std::filesystem::path TFrmApproveTranslation::ApprovalFolder()
{
  return platform::DataHome() / "airwright" / "approvals";
}

void TFrmApproveTranslation::InitDialog()
{
  QStringList lines;
  for (int i = 0; i < Lbx_Text->count(); ++i)
    lines << Lbx_Text->item(i)->text();
  ShowInMemo(lines.join(QLatin1Char('\n')), Mmo_Text, 20);
  Tab_Pages->setTabText(0, QString::fromStdString(i18n::GetUnicodeString(i18n::kMsgProgramName) + " " +
                                                  CTVersionUtils::GetVersionString()));
  Lbl_ProjectName->setText(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
  Lbl_Language->setText(
    QString::fromStdString(i18n::CTLangSupport::EnglishLanguageName(i18n::InterfaceLanguage())));
  Fra_BottomPanel->OKButton()->setText(Lbl_Approve->text());
  Txt_TrFirstName->setText(StoredText(kFirstName));
  Txt_TrLastName->setText(StoredText(kLastName));
  Txt_TrEmail->setText(StoredText(kEmail));
  TBasicDialog::InitDialog();
}

bool TFrmApproveTranslation::ValidateOK(int nCode)
{
  if (nCode != i18n::kReturnOK)
    return TBasicDialog::ValidateOK(nCode);
  const QString first = Txt_TrFirstName->text().trimmed(), last = Txt_TrLastName->text().trimmed(),
                email = Txt_TrEmail->text().trimmed();
  if (!i18n::IsValidApprovalEmail(email.toStdString())) {
    UserPrompts::Current().ShowMessage(Lbl_ErrInvalidEmail->text().replace(QStringLiteral("$1"), email));
    return false;
  }
  const bool bWritten = WriteApproval(first, last, email);
  // Kept for the next approval, whatever became of this one.
  platform::SettingsStore& store = platform::SettingsStore::User();
  store.WriteString(platform::kMakerRoot, kFirstName, first.toStdString());
  store.WriteString(platform::kMakerRoot, kLastName, last.toStdString());
  store.WriteString(platform::kMakerRoot, kEmail, email.toStdString());
  return bWritten;
}

bool TFrmApproveTranslation::WriteApproval(const QString& szFirst, const QString& szLast, const QString& szEmail)
{
  i18n::CTTranslationApproval approval;
  approval.szProgram = QFileInfo(QCoreApplication::applicationFilePath()).fileName().toStdString();
  approval.szVersion = CTVersionUtils::GetVersionString();
  approval.nLanguage = i18n::InterfaceLanguage();
  approval.szFirstName = szFirst.toStdString();
  approval.szLastName = szLast.toStdString();
  approval.szEmail = szEmail.toStdString();
  const std::filesystem::path file =
    ApprovalFolder() / (QUuid::createUuid().toString(QUuid::WithBraces).toStdString() + ".txt");
  std::error_code ec;
  std::filesystem::create_directories(file.parent_path(), ec);
  std::string szError = ec ? ec.message() : std::string();
  if (ec || !platform::WriteFileAtomically(file, i18n::ApprovalRecord(approval), szError)) {
    UserPrompts::Current().ShowMessage(Lbl_ErrFileErr->text() + QStringLiteral("\n") +
                                       QString::fromStdString(file.string() + ": " + szError));
    return false;
  }
  v_recordFile = file;
  UserPrompts::Current().ShowMessage(Lbl_HinSaved->text().replace(QStringLiteral("$1"), QString::fromStdString(file.string())));
  return true;
}

} // namespace aw::app
