#include "app/BaseMsgDialog.h"

#include "i18n/MessageTexts.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace aw::app {
namespace {

constexpr int kMargin = 8;
constexpr int kDesignWidth = 394;
constexpr int kDesignHeight = 107;
constexpr int kMinWidth = 296;
constexpr int kIconSize = 32;
constexpr int kBarHeight = 41;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 25;
constexpr int kButtonTop = 8; // within the bar
constexpr int kMaxMessageLines = 10;

QString Text(int nMessage, const i18n::MessageParams& params)
{
  return QString::fromStdString(i18n::GetUnicodeString(nMessage, params));
}

i18n::MessageParams Lines(const QStringList& lines)
{
  i18n::MessageParams params;
  for (const QString& line : lines)
    params.push_back(line.toStdString());
  return params;
}

QStyle::StandardPixmap IconOf(i18n::DialogKind kind)
{
  switch (kind) {
  case i18n::DialogKind::Error:
    return QStyle::SP_MessageBoxCritical;
  case i18n::DialogKind::Question:
    return QStyle::SP_MessageBoxQuestion;
  case i18n::DialogKind::Warning:
    return QStyle::SP_MessageBoxWarning;
  default:
    return QStyle::SP_MessageBoxInformation;
  }
}

int Show(QWidget* parent, i18n::DialogKind kind, i18n::DialogButtons buttons, int nMessage,
         const i18n::MessageParams& params)
{
  return UserPrompts::Current().ShowNumberedMessage({parent, kind, buttons, nMessage, params});
}

const i18n::DialogButtons kOK = {i18n::DialogButton::OK};

} // namespace

TBaseMsg::TBaseMsg(QWidget* owner, const MessageRequest& request)
  : TBasicDialog(owner), v_msgNr(request.nMessage), v_params(request.params), v_dlgType(request.kind),
    v_dlgBtns(request.buttons)
{
  CreateControls();
}

TBaseMsg::TBaseMsg(QWidget* owner, const EditRequest& request)
  : TBasicDialog(owner), v_captionMsgNr(request.nCaption), v_captionParams(request.captionParams),
    v_msgNr(request.nMessage), v_params(request.params), v_defaultValue(request.szDefault), v_forEdit(true),
    v_dlgBtns({i18n::DialogButton::OK, i18n::DialogButton::Cancel}), v_rules(request.rules)
{
  CreateControls();
}

void TBaseMsg::CreateControls()
{
  setObjectName(QStringLiteral("TBaseMsg"));
  resize(kDesignWidth, kDesignHeight);
  setMinimumWidth(kMinWidth);
  // A message has no system menu and no close box: the buttons are the only way out.
  if (!v_forEdit)
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  QPalette background = palette();
  background.setColor(QPalette::Window, background.color(QPalette::Base));
  setPalette(background);
  setAutoFillBackground(true);

  Txt_Edit = new QLineEdit(this);
  Txt_Edit->setObjectName(QStringLiteral("Txt_Edit"));
  Img_Icon = new QLabel(this);
  Img_Icon->setObjectName(QStringLiteral("Img_Icon"));
  Img_Icon->setGeometry(kMargin, kMargin, kIconSize, kIconSize);

  Sbx_Bottom = new QWidget(this);
  Sbx_Bottom->setObjectName(QStringLiteral("Sbx_Bottom"));
  Sbx_Bottom->setBackgroundRole(QPalette::Button);
  Sbx_Bottom->setAutoFillBackground(true);
  for (int b = 0; b < i18n::kDialogButtonCount; ++b) {
    const i18n::ButtonInfo& info = i18n::Info(static_cast<i18n::DialogButton>(b));
    auto* button = new QPushButton(QString::fromLatin1(info.szCaption), Sbx_Bottom);
    button->setObjectName(QString::fromLatin1(info.szName));
    button->setAutoDefault(false);
    button->resize(kButtonWidth, kButtonHeight);
    const int code = info.nReturnCode;
    connect(button, &QPushButton::clicked, this, [this, code] { DoCloseWindow(code); });
    v_buttons[static_cast<std::size_t>(b)] = button;
  }

  Txt_Message = new QPlainTextEdit(this);
  Txt_Message->setObjectName(QStringLiteral("Txt_Message"));
  Txt_Message->setReadOnly(true);
  Txt_Message->setFrameShape(QFrame::NoFrame);
  Txt_Message->setFocusPolicy(Qt::NoFocus);
  Txt_Message->setBackgroundRole(QPalette::Base);

  connect(Txt_Edit, &QLineEdit::textChanged, this, &TBaseMsg::EditChanged);
}

QPushButton* TBaseMsg::Button(i18n::DialogButton button) const
{
  return v_buttons[static_cast<std::size_t>(button)];
}

QString TBaseMsg::MessageText() const
{
  return Txt_Message->toPlainText();
}

QString TBaseMsg::EditedText() const
{
  return Txt_Edit->text().trimmed();
}

void TBaseMsg::InitDialog()
{
  for (QPushButton* button : v_buttons)
    button->hide();
  if (v_forEdit)
    LayOutEditMode();
  else
    LayOutMessageMode();

  TBasicDialog::ShowInMemo(Text(v_msgNr, v_params), Txt_Message, kMaxMessageLines);
  Txt_Message->setFixedHeight(Txt_Message->height() + kMargin);
  int contentBottom = Txt_Message->geometry().bottom() + 1;
  if (v_forEdit) {
    Txt_Edit->move(kMargin, contentBottom);
    contentBottom = Txt_Edit->geometry().bottom() + 1;
  }
  int clientHeight = height();
  if (clientHeight - kBarHeight < contentBottom + kMargin)
    clientHeight = contentBottom + kMargin + kBarHeight;

  if (v_forEdit) {
    Txt_Edit->setText(v_defaultValue);
    Button(i18n::DialogButton::OK)->setEnabled(v_rules.bAllowEmpty || !v_defaultValue.trimmed().isEmpty());
  }
  resize(std::max(width(), kMinWidth), clientHeight);
  PlaceButtons();

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - rect().center());
  }
  TBasicDialog::InitDialog();
}

void TBaseMsg::LayOutMessageMode()
{
  for (i18n::DialogButton b : i18n::ButtonsLeftToRight(v_dlgBtns))
    Button(b)->show();
  if (v_dlgType == i18n::DialogKind::None) {
    Img_Icon->clear();
  } else {
    Img_Icon->setPixmap(style()->standardIcon(IconOf(v_dlgType)).pixmap(kIconSize, kIconSize));
  }
  if (const std::optional<int> caption = i18n::CaptionMessage(v_dlgType))
    setWindowTitle(Text(*caption, {}));
  const int left = kIconSize + 3 * kMargin;
  Txt_Message->setGeometry(left, kMargin, width() - left - kMargin, Txt_Message->height());
  Txt_Edit->hide();
}

void TBaseMsg::LayOutEditMode()
{
  Button(i18n::DialogButton::OK)->show();
  Button(i18n::DialogButton::Cancel)->show();
  Img_Icon->hide();
  setWindowTitle(Text(v_captionMsgNr, v_captionParams));
  Txt_Message->setGeometry(kMargin, kMargin, width() - 2 * kMargin, Txt_Message->height());
  Txt_Edit->setGeometry(kMargin, 0, Txt_Message->width(), Txt_Edit->sizeHint().height());
  resize(Txt_Edit->geometry().right() + 1 + kMargin, height());
}

void TBaseMsg::PlaceButtons()
{
  const i18n::ButtonRow row = i18n::LayOutButtonRow(v_dlgBtns, width(), kMargin, kButtonWidth);
  if (row.nClientWidth != width())
    resize(row.nClientWidth, height());
  Sbx_Bottom->setGeometry(0, height() - kBarHeight, width(), kBarHeight);
  for (const auto& [button, left] : row.lefts)
    Button(button)->move(left, kButtonTop);
  if (const std::optional<i18n::DialogButton> enter = i18n::EnterButton(v_dlgBtns)) {
    Button(*enter)->setDefault(true);
    Button(*enter)->setFocus(Qt::OtherFocusReason);
  }
  if (v_forEdit)
    Txt_Edit->setFocus(Qt::OtherFocusReason);
}

void TBaseMsg::EditChanged()
{
  if (v_rules.bNumericOnly)
    TBasicDialog::DoNrFieldChange(Txt_Edit);
  if (!v_rules.bAllowEmpty)
    Button(i18n::DialogButton::OK)->setEnabled(!Txt_Edit->text().trimmed().isEmpty());
}

bool TBaseMsg::ValidateOK(int)
{
  if (!v_forEdit)
    return true;
  const std::optional<i18n::EditRefusal> refusal = i18n::ValidateEditText(Txt_Edit->text().toStdString(), v_rules);
  if (!refusal)
    return true;
  DisplayError(this, refusal->nMessage, {refusal->szParam});
  return false;
}

void TBaseMsg::reject()
{
  if (const std::optional<i18n::DialogButton> escape = i18n::EscapeButton(v_dlgBtns))
    DoCloseWindow(i18n::Info(*escape).nReturnCode);
  else
    TBasicDialog::reject();
}

void TBaseMsg::DisplayError(QWidget* parent, int nMessage, const i18n::MessageParams& params)
{
  Show(parent, i18n::DialogKind::Error, kOK, nMessage, params);
}

void TBaseMsg::DisplayWarning(QWidget* parent, int nMessage, const i18n::MessageParams& params)
{
  Show(parent, i18n::DialogKind::Warning, kOK, nMessage, params);
}

void TBaseMsg::DisplayHint(QWidget* parent, int nMessage, const i18n::MessageParams& params)
{
  Show(parent, i18n::DialogKind::Information, kOK, nMessage, params);
}

void TBaseMsg::DisplayError(QWidget* parent, const QString& szText)
{
  DisplayError(parent, QStringList{szText});
}

void TBaseMsg::DisplayError(QWidget* parent, const QStringList& lines)
{
  DisplayError(parent, i18n::kMsgLines, Lines(lines));
}

void TBaseMsg::DisplayWarning(QWidget* parent, const QString& szText)
{
  DisplayWarning(parent, QStringList{szText});
}

void TBaseMsg::DisplayWarning(QWidget* parent, const QStringList& lines)
{
  DisplayWarning(parent, i18n::kMsgLines, Lines(lines));
}

void TBaseMsg::DisplayHint(QWidget* parent, const QString& szText)
{
  DisplayHint(parent, QStringList{szText});
}

void TBaseMsg::DisplayHint(QWidget* parent, const QStringList& lines)
{
  DisplayHint(parent, i18n::kMsgLines, Lines(lines));
}

int TBaseMsg::DisplayQuestion(QWidget* parent, int nMessage, i18n::DialogButtons buttons)
{
  return Show(parent, i18n::DialogKind::Question, buttons, nMessage, {});
}

int TBaseMsg::DisplayQuestion(QWidget* parent, int nMessage, const i18n::MessageParams& params,
                              i18n::DialogButtons buttons)
{
  return Show(parent, i18n::DialogKind::Question, buttons, nMessage, params);
}

int TBaseMsg::DisplayQuestion(QWidget* parent, const QString& szText, i18n::DialogButtons buttons)
{
  return DisplayQuestion(parent, QStringList{szText}, buttons);
}

int TBaseMsg::DisplayQuestion(QWidget* parent, const QStringList& lines, i18n::DialogButtons buttons)
{
  return Show(parent, i18n::DialogKind::Question, buttons, i18n::kMsgLines, Lines(lines));
}

std::optional<QString> TBaseMsg::DisplayEditString(const EditRequest& request)
{
  return UserPrompts::Current().EditString(request);
}

} // namespace aw::app
