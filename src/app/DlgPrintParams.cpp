#include "app/DlgPrintParams.h"

#include "app/BaseMsgDialog.h"
#include "app/FrameBottomPanelExt.h"
#include "app/UserPrompts.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace aw::app {
namespace {

constexpr double kPrintDotsPerInch = 300; // the logo's pixels as printed
constexpr int kPreviewWidth = 200, kPreviewHeight = 80;

template <class T> T* Named(T* widget, const char* szName)
{
  widget->setObjectName(QString::fromLatin1(szName));
  return widget;
}

} // namespace

TDlgPrintParams::TDlgPrintParams(QWidget* owner, platform::SettingsStore& store) : TBasicDialog(owner), v_store(store)
{
  setObjectName(QStringLiteral("TDlgPrintParams"));
  setWindowTitle(QStringLiteral("Print Parameters"));
  auto* layout = new QVBoxLayout(this);

  Grb_Distrib = Named(new QGroupBox(QStringLiteral("Distributor name and address"), this), "Grb_Distrib");
  auto* lines = new QFormLayout(Grb_Distrib);
  const char* const names[] = {"Txt_Line1", "Txt_Line2", "Txt_Line3"};
  const QString captions[] = {QStringLiteral("Line 1"), QStringLiteral("Line 2"), QStringLiteral("Line 3")};
  for (std::size_t i = 0; i < v_lines.size(); ++i) {
    v_lines[i] = Named(new QLineEdit(Grb_Distrib), names[i]);
    lines->addRow(captions[i], v_lines[i]);
  }
  layout->addWidget(Grb_Distrib);

  Grb_Logo = Named(new QGroupBox(QStringLiteral("Distributor logo"), this), "Grb_Logo");
  auto* logo = new QGridLayout(Grb_Logo);
  Pbx_Logo = Named(new QLabel(Grb_Logo), "Pbx_Logo");
  Pbx_Logo->setFixedSize(kPreviewWidth, kPreviewHeight);
  Pbx_Logo->setAlignment(Qt::AlignCenter);
  Pbx_Logo->setAutoFillBackground(true);
  logo->addWidget(Pbx_Logo, 0, 0, 3, 1);
  Lbl_FileName = Named(new QLabel(Grb_Logo), "Lbl_FileName");
  logo->addWidget(Lbl_FileName, 3, 0, 1, 4);
  logo->addWidget(new QLabel(QStringLiteral("Width"), Grb_Logo), 0, 1);
  logo->addWidget(new QLabel(QStringLiteral("Height"), Grb_Logo), 1, 1);
  Lbl_Width = Named(new QLabel(Grb_Logo), "Lbl_Width");
  Lbl_Height = Named(new QLabel(Grb_Logo), "Lbl_Height");
  logo->addWidget(Lbl_Width, 0, 2);
  logo->addWidget(Lbl_Height, 1, 2);
  logo->addWidget(Named(new QLabel(QString::number(docs::CTDistributorSettings::kMaxLogoWidth), Grb_Logo), "Lbl_WidthMax"), 0, 3);
  logo->addWidget(Named(new QLabel(QString::number(docs::CTDistributorSettings::kMaxLogoHeight), Grb_Logo), "Lbl_HeightMax"), 1, 3);
  Btn_Browse = Named(new QPushButton(QStringLiteral("Browse..."), Grb_Logo), "Btn_Browse");
  Btn_Clear = Named(new QPushButton(QStringLiteral("Clear"), Grb_Logo), "Btn_Clear");
  logo->addWidget(Btn_Browse, 2, 1);
  logo->addWidget(Btn_Clear, 2, 2);
  layout->addWidget(Grb_Logo);

  Fra_BottomPanel = new TFraBottomPanelExt(this);
  layout->addWidget(Fra_BottomPanel);
  connect(Btn_Browse, &QPushButton::clicked, this, &TDlgPrintParams::BrowseClick);
  connect(Btn_Clear, &QPushButton::clicked, this, [this] { SetLogoFile(QString()); });
}

docs::CTDistributorSettings TDlgPrintParams::Settings(const platform::SettingsStore& store)
{
  return docs::CTDistributorSettings::Load(store);
}

void TDlgPrintParams::InitDialog()
{
  const docs::CTDistributorSettings settings = Settings(v_store);
  for (std::size_t i = 0; i < v_lines.size(); ++i)
    v_lines[i]->setText(QString::fromStdString(settings.lines[i]));
  SetLogoFile(QString::fromStdString(settings.szLogoFile));
  TBasicDialog::InitDialog();
}

void TDlgPrintParams::SetLogoFile(const QString& szFile)
{
  v_logoFile = szFile;
  v_logo = szFile.isEmpty() ? QImage() : QImage(szFile);
  ShowLogo();
}

void TDlgPrintParams::ShowLogo()
{
  Pbx_Logo->setBackgroundRole(QPalette::Window);
  Pbx_Logo->clear();
  const QString shown = Lbl_FileName->fontMetrics().elidedText(v_logoFile, Qt::ElideMiddle, 380);
  Lbl_FileName->setText(shown);
  Lbl_FileName->setToolTip(v_logoFile);
  Btn_Clear->setEnabled(!v_logoFile.isEmpty());
  Lbl_Width->setText(v_logo.isNull() ? QString() : QString::number(v_logo.width()));
  Lbl_Height->setText(v_logo.isNull() ? QString() : QString::number(v_logo.height()));
  if (v_logo.isNull())
    return;
  // The size it prints at, on this screen.
  const double factor = logicalDpiX() / kPrintDotsPerInch;
  const QSize printed(std::max(1, int(v_logo.width() * factor)), std::max(1, int(v_logo.height() * factor)));
  Pbx_Logo->setPixmap(QPixmap::fromImage(v_logo.scaled(printed.boundedTo(Pbx_Logo->size()), Qt::KeepAspectRatio,
                                                        Qt::SmoothTransformation)));
}

QString TDlgPrintParams::LogoFolder() const
{
  if (!v_logoFile.isEmpty())
    return QFileInfo(v_logoFile).absolutePath();
  return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Logos"));
}

void TDlgPrintParams::BrowseClick()
{
  FileRequest request;
  request.parent = this;
  request.szTitle = QStringLiteral("Select Logo");
  request.szFilter = QStringLiteral("Pictures (*.png;*.jpg;*.jpeg;*.bmp)|*.png;*.jpg;*.jpeg;*.bmp|All files (*.*)|*.*");
  request.szFolder = LogoFolder();
  const QString file = UserPrompts::Current().ChooseOpenFile(request);
  if (!file.isEmpty())
    SetLogoFile(file);
}

bool TDlgPrintParams::ValidateOK(int nCode)
{
  if (nCode != i18n::kReturnOK)
    return TBasicDialog::ValidateOK(nCode);
  if (!v_logo.isNull() && !docs::CTDistributorSettings::LogoFits(v_logo.width(), v_logo.height())) {
    TBaseMsg::DisplayError(this, docs::CTDistributorSettings::kMsgLogoTooLarge,
                           {std::to_string(docs::CTDistributorSettings::kMaxLogoWidth),
                            std::to_string(docs::CTDistributorSettings::kMaxLogoHeight)});
    return false;
  }
  docs::CTDistributorSettings settings;
  for (std::size_t i = 0; i < v_lines.size(); ++i)
    settings.lines[i] = v_lines[i]->text().toStdString();
  settings.szLogoFile = v_logoFile.toStdString();
  if (!settings.Save(v_store)) {
    TBaseMsg::DisplayError(this, -3, {v_store.File().string()}); // "Unable to create file $1"
    return false;
  }
  return TBasicDialog::ValidateOK(nCode);
}

} // namespace aw::app
