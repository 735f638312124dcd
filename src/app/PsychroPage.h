#pragma once
// The Psychrometrics page of the main window: the psychrometric or Mollier
// chart of the selected unit in the cooling or heating mode, the read-out of
// the air state under the pointer, and the chart saved as PNG, SVG or PDF.

#include "charts/DisplayList.h"
#include "charts/PsychroGraph.h"
#include "render/ChartRender.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace aw {
class CTSelectionModel;
}

class QLabel;
class QPushButton;
class QRadioButton;

namespace aw::app {

class TFrm_Configuration;

// The paint box: the chart drawn into a cached image, redrawn when its size
// or the state it shows changes, with the hover marks painted over it.
class TPsyGraphBox : public QWidget
{
public:
  using HoverHandler = std::function<void(const charts::CTHoverInfo& info)>;

  explicit TPsyGraphBox(QWidget* parent);

  void SetModel(CTSelectionModel* model) { v_model = model; }
  void SetCooling(bool bCooling) { v_cooling = bCooling; }
  void SetOnHover(HoverHandler handler) { v_onHover = std::move(handler); }
  // The button released at a position of the box: a click on a legend swatch
  // asks for the entry's colour and keeps it in the settings.
  void ClickAt(QPoint pos);
  // The state shown changed: the chart is rebuilt at the next paint.
  void Invalidate();
  // The chart at the box's current size, rebuilt when stale.
  const charts::DisplayList& Chart();
  const charts::TAirPropDiagram& Diagram();
  // The pointer at a position of the box: the hover state, marks repainted.
  charts::CTHoverInfo HoverAt(QPoint pos);

protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

private:
  void RebuildPsychroChart();
  std::optional<charts::Colour> ChooseLegendColour(int nEntry, charts::Colour current);

  CTSelectionModel* v_model = nullptr;
  bool v_cooling = true;
  bool v_stale = true;
  HoverHandler v_onHover;
  render::QtTextMetrics v_metrics;
  charts::DisplayList v_list;
  std::unique_ptr<charts::TAirPropDiagram> v_chart;
  charts::DisplayList v_marks;
  QImage v_image; // v_list at the screen's pixel ratio
};

class TFraPsychroPage : public QWidget
{
  Q_OBJECT

public:
  explicit TFraPsychroPage(QWidget* parent);

  void SetModel(CTSelectionModel* model);
  // An input, the unit, the units of measure or the page changed.
  void RebuildPsychroChart();
  TPsyGraphBox* GraphBox() const { return PsyGraphBox; }
  // The read-out field of that name ("Txt_DryBulb", ..., "Txt_State").
  QString Value(const QString& szField) const;
  // Asks for a file and writes the chart into it (PNG, SVG or PDF by its extension).
  void SaveChartAs();
  // "Configuration Screen...": opens the floating configuration window, or
  // raises it when it is open.
  void Btn_ConfigurationClick();
  // The floating window while it is open, else null.
  TFrm_Configuration* ConfigurationWindow() const;
  // The main window's page changed: the floating window shows on this page only.
  void PageShown(bool bShown);

private:
  void ChooseKind(bool bPsychro);
  void ShowPointData(const charts::CTHoverInfo& info);
  QWidget* CreateReadOut();

  TPsyGraphBox* PsyGraphBox = nullptr;
  QRadioButton* RB_Psychro = nullptr;
  QRadioButton* RB_Mollier = nullptr;
  QRadioButton* RB_Cooling = nullptr;
  QRadioButton* RB_Heating = nullptr;
  QPushButton* Btn_SaveChart = nullptr;
  QPushButton* Btn_Configuration = nullptr;
  CTSelectionModel* v_model = nullptr;
  QPointer<TFrm_Configuration> v_configForm; // null once it closed itself
  QLabel* Txt_State = nullptr;
  std::vector<QLabel*> v_readOut; // one per field of the core's read-out
};

} // namespace aw::app
