#include "app/ProgressWindows.h"

#include "i18n/BaseMsgMan.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <functional>

namespace aw::app {
namespace {

constexpr Qt::WindowFlags kToolWindow = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                        Qt::WindowStaysOnTopHint;

// The bar: its filled part in aqua.
class ProgressBox : public QWidget
{
public:
  ProgressBox(QWidget* parent, std::function<int()> filledWidth)
    : QWidget(parent), v_filledWidth(std::move(filledWidth))
  {
  }

protected:
  void paintEvent(QPaintEvent*) override
  {
    QPainter painter(this);
    painter.fillRect(QRect(0, 0, v_filledWidth(), height()), QColor(0, 255, 255));
  }

private:
  std::function<int()> v_filledWidth;
};

void CentreOnScreen(QWidget* window)
{
  if (const QScreen* screen = window->screen())
    window->move(screen->availableGeometry().center() - window->rect().center());
}

} // namespace

TFrm_Busy::TFrm_Busy(QWidget* owner) : TBasicDialog(owner)
{
  setObjectName(QStringLiteral("TFrm_Busy"));
  setWindowTitle(QStringLiteral("Progress"));
  setWindowFlags(kToolWindow);
  resize(360, 110);

  auto* column = new QVBoxLayout(this);
  Txt_Msg = new QPlainTextEdit(this);
  Txt_Msg->setObjectName(QStringLiteral("Txt_Msg"));
  Txt_Msg->setReadOnly(true);
  Txt_Msg->setFrameShape(QFrame::NoFrame);
  Txt_Msg->setFocusPolicy(Qt::NoFocus);
  column->addWidget(Txt_Msg);

  Pnl_Progress = new QFrame(this);
  Pnl_Progress->setObjectName(QStringLiteral("Pnl_Progress"));
  static_cast<QFrame*>(Pnl_Progress)->setFrameShape(QFrame::Box);
  Pnl_Progress->setFixedHeight(24);
  auto* box = new QGridLayout(Pnl_Progress);
  box->setContentsMargins(1, 1, 1, 1);
  Pbx_Progress = new ProgressBox(Pnl_Progress, [this] { return FilledWidth(); });
  Pbx_Progress->setObjectName(QStringLiteral("Pbx_Progress"));
  Lbl_Percentage = new QLabel(Pnl_Progress);
  Lbl_Percentage->setObjectName(QStringLiteral("Lbl_Percentage"));
  Lbl_Percentage->setAlignment(Qt::AlignCenter);
  Lbl_Percentage->setAttribute(Qt::WA_TranslucentBackground);
  box->addWidget(Pbx_Progress, 0, 0);
  box->addWidget(Lbl_Percentage, 0, 0);
  column->addWidget(Pnl_Progress);
  Repaint();
}

void TFrm_Busy::InitDialog()
{
  Txt_Msg->clear();
  v_boxW = Pbx_Progress->width();
  v_boxH = Pbx_Progress->height();
  CentreOnScreen(this);
  TBasicDialog::InitDialog();
}

void TFrm_Busy::SetTotalActions(int nTotal)
{
  v_progress.SetTotalActions(nTotal);
  Repaint();
  QApplication::processEvents();
}

void TFrm_Busy::IncActionNr()
{
  v_progress.IncActionNr();
  Repaint();
}

void TFrm_Busy::SetActionString(const QString& szText)
{
  TBasicDialog::ShowInMemo(szText, Txt_Msg, 2);
}

QString TFrm_Busy::PercentageText() const
{
  return Lbl_Percentage->text();
}

QString TFrm_Busy::ActionText() const
{
  return Txt_Msg->toPlainText();
}

int TFrm_Busy::FilledWidth() const
{
  return v_progress.BarWidth(v_boxW > 0 ? v_boxW : Pbx_Progress->width());
}

void TFrm_Busy::Repaint()
{
  Lbl_Percentage->setText(QString::fromStdString(v_progress.PercentageText()));
  Pbx_Progress->update();
}

TFrm_WaitFor::TFrm_WaitFor(QWidget* owner) : QDialog(owner)
{
  setObjectName(QStringLiteral("TFrm_WaitFor"));
  setWindowTitle(QStringLiteral("Please Wait..."));
  setWindowFlags(kToolWindow);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(8, 8, 8, 8);
  Lbl_Msg = new QLabel(this);
  Lbl_Msg->setObjectName(QStringLiteral("Lbl_Msg"));
  Lbl_Msg->setAlignment(Qt::AlignCenter);
  Lbl_Msg->setWordWrap(true);
  column->addWidget(Lbl_Msg);
  resize(320, 90);
}

std::unique_ptr<TFrm_WaitFor> TFrm_WaitFor::CreateForMessageID(QWidget* owner, int nMessage,
                                                               const std::string& szParam)
{
  auto window = std::make_unique<TFrm_WaitFor>(owner);
  if (owner)
    owner->repaint();
  window->Lbl_Msg->setText(QString::fromStdString(i18n::GetUnicodeString(nMessage, {szParam})));
  CentreOnScreen(window.get());
  window->show();
  window->repaint();
  return window;
}

QString TFrm_WaitFor::Message() const
{
  return Lbl_Msg->text();
}

TFrm_Logon::TFrm_Logon(QWidget* owner) : TBasicDialog(owner)
{
  setObjectName(QStringLiteral("TFrm_Logon"));
  setWindowTitle(QStringLiteral("Logon"));
  setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);

  auto* grid = new QGridLayout(this);
  auto* nameLabel = new QLabel(QStringLiteral("Name"), this);
  nameLabel->setObjectName(QStringLiteral("Lbl_Name"));
  auto* passwordLabel = new QLabel(QStringLiteral("Password"), this);
  passwordLabel->setObjectName(QStringLiteral("Lbl_Password"));
  Ed_Name = new QLineEdit(this);
  Ed_Name->setObjectName(QStringLiteral("Ed_Name"));
  Ed_Password = new QLineEdit(this);
  Ed_Password->setObjectName(QStringLiteral("Ed_Password"));
  Ed_Password->setEchoMode(QLineEdit::Password);
  grid->addWidget(nameLabel, 0, 0);
  grid->addWidget(Ed_Name, 0, 1);
  grid->addWidget(passwordLabel, 1, 0);
  grid->addWidget(Ed_Password, 1, 1);

  auto* bottom = new QWidget(this);
  bottom->setObjectName(QStringLiteral("Sbx_Bottom"));
  auto* row = new QHBoxLayout(bottom);
  row->addStretch();
  Btn_OK = new QPushButton(QStringLiteral("&OK"), bottom);
  Btn_OK->setObjectName(QStringLiteral("Btn_OK"));
  Btn_OK->setDefault(true);
  Btn_Cancel = new QPushButton(QStringLiteral("&Cancel"), bottom);
  Btn_Cancel->setObjectName(QStringLiteral("Btn_Cancel"));
  row->addWidget(Btn_OK);
  row->addWidget(Btn_Cancel);
  grid->addWidget(bottom, 2, 0, 1, 2);

  connect(Btn_OK, &QPushButton::clicked, this, [this] {
    v_loggedOn = true;
    DoCloseWindow(i18n::kReturnOK);
  });
  connect(Btn_Cancel, &QPushButton::clicked, this, [this] {
    v_loggedOn = false;
    DoCloseWindow(i18n::kReturnCancel);
  });
}

bool TFrm_Logon::LogOn()
{
  v_loggedOn = false;
  Execute();
  return v_loggedOn;
}

QString TFrm_Logon::GetName() const
{
  return v_loggedOn ? Ed_Name->text() : QString();
}

QString TFrm_Logon::GetPassword() const
{
  return v_loggedOn ? Ed_Password->text() : QString();
}

} // namespace aw::app
