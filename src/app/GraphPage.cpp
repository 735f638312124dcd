#include "app/GraphPage.h"

#include "app/InterfaceLanguage.h"
#include "app/UserPrompts.h"
#include "engine/SelectionModel.h"
#include "i18n/BaseMsgMan.h"
#include "platform/SettingsStore.h"
#include "render/QtColour.h"

#include <QMouseEvent>
#include <QPainter>

namespace aw::app {
namespace {

std::string Message(int nNumber) { return i18n::GetUnicodeString(nNumber); }
std::string Text(const char* szText) { return TranslatedText(QString::fromUtf8(szText)).toStdString(); }

} // namespace

charts::CTGraphTexts GraphTexts()
{
  charts::CTGraphTexts t;
  t.Airflow = Text("Airflow Rate");
  t.Efficiency = Text("Efficiency (%)");
  t.Esp = Text("External Static Pressure");
  t.EffCorrect1 = Text("Exchange Efficiency (%)");
  t.EffCorrect2 = Text("Corrected Efficiency (%)");
  t.CoolEnthalpy = Message(29), t.HeatEnthalpy = Message(30), t.Temperature = Message(37);
  t.SupplySpeed = Message(35), t.ExhaustSpeed = Message(31);
  t.Ducting = Message(85), t.Supply = Message(111), t.SupplyDucting = Message(112);
  t.Exhaust = Message(89), t.ExhaustDucting = Message(90);
  return t;
}

charts::CTConfigurationTexts ConfigurationTexts()
{
  charts::CTConfigurationTexts t;
  for (std::string* caption : {&t.RA, &t.EA, &t.OA, &t.SA, &t.VI, &t.VO, &t.CI, &t.HI})
    *caption = Text(caption->c_str());
  t.InletHeater = Message(33), t.SupplyHeater = Message(36);
  t.ExhaustLimits = Message(2), t.ExchangerLimits = Message(3), t.MaxRH = Message(4), t.RoomLimits = Message(5);
  t.TempRange = Message(6), t.VentInLimits = Message(7), t.VentOutLimits = Message(8), t.MinVentIn = Message(40);
  return t;
}

// ---- the paint box ---------------------------------------------------------------------

TDrawingBox::TDrawingBox(QWidget* parent) : QWidget(parent)
{
  setMinimumSize(320, 240);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TDrawingBox::SetModel(const CTSelectionModel* model)
{
  v_model = model;
  Invalidate();
}

void TDrawingBox::Invalidate()
{
  v_stale = true;
  update();
}

const charts::DisplayList& TDrawingBox::Drawing()
{
  if (v_stale || v_list.width != width() || v_list.height != height()) {
    v_list = {};
    v_list.width = width(), v_list.height = height();
    if (v_model)
      Redraw(v_list, v_metrics, width(), height());
    v_image = {};
    v_stale = false;
  }
  return v_list;
}

void PaintCachedList(QPainter& painter, const QWidget& widget, const charts::DisplayList& list, QImage& cache)
{
  const qreal ratio = widget.devicePixelRatioF();
  if (cache.isNull() || cache.devicePixelRatio() != ratio) {
    cache = render::renderImage(list, ratio);
    cache.setDevicePixelRatio(ratio);
  }
  painter.drawImage(QPoint(0, 0), cache);
}

void TDrawingBox::paintEvent(QPaintEvent*)
{
  const charts::DisplayList& list = Drawing();
  QPainter painter(this);
  PaintCachedList(painter, *this, list, v_image);
}

// ---- the graphs ------------------------------------------------------------------------

TGraphBox::TGraphBox(QWidget* parent, charts::TGraphKind kind) : TDrawingBox(parent), v_kind(kind) {}

const charts::CTGraphDrawing& TGraphBox::Graph()
{
  Drawing();
  return v_graph;
}

void TGraphBox::Redraw(charts::DisplayList& list, const charts::CTTextMetrics& metrics, int nWidth, int nHeight)
{
  const charts::CTGraphPage page(*v_model, GraphTexts(), &platform::SettingsStore::User());
  v_graph = page.Draw(v_kind, list, metrics, nWidth, nHeight, logicalDpiX() * 12 / 96, true, true);
}

void TGraphBox::mouseReleaseEvent(QMouseEvent* event)
{
  const QPoint pos = event->position().toPoint();
  const auto chooseColour = [this](const charts::TLegend& entry) -> std::optional<charts::Colour> {
    const std::optional<QColor> colour = UserPrompts::Current().ChooseColour(
      this, render::toQColor(entry.GetColor()), QString::fromStdString(entry.GetLegend()));
    return colour ? std::optional(render::fromQColor(*colour)) : std::nullopt;
  };
  if (charts::CTGraphPage::LegendClick(v_kind, Graph(), pos.x(), pos.y(), platform::SettingsStore::User(), chooseColour))
    Invalidate();
}

// ---- the configuration -----------------------------------------------------------------

TConfigurationBox::TConfigurationBox(QWidget* parent, bool bShowLimits)
  : TDrawingBox(parent), v_showLimits(bShowLimits)
{
}

void TConfigurationBox::Redraw(charts::DisplayList& list, const charts::CTTextMetrics& metrics, int nWidth,
                               int nHeight)
{
  charts::DrawConfiguration(list, metrics, nWidth, nHeight, charts::ConfigDataFor(*v_model), v_showLimits,
                            ConfigurationTexts());
}

} // namespace aw::app
