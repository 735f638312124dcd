#pragma once
// The Fan Characteristics, Exchange Efficiencies, Efficiency Corrections and
// Configuration pages of the main window: paint boxes that show the core's
// drawing of the selected unit, redrawn when the selection or the box's size
// changes, and the legend clicks that show or hide a curve.

#include "charts/ConfigurationDrawing.h"
#include "charts/DisplayList.h"
#include "charts/GraphPages.h"
#include "render/ChartRender.h"

#include <QImage>
#include <QWidget>

class QPainter;

namespace aw {
class CTSelectionModel;
}

namespace aw::app {

// Paints the list onto the widget through a cached image at the screen's
// pixel ratio (an empty cache is filled); the painter draws on over it.
void PaintCachedList(QPainter& painter, const QWidget& widget, const charts::DisplayList& list, QImage& cache);

// A paint box showing a display list drawn at the box's size; subclasses draw it.
class TDrawingBox : public QWidget
{
public:
  explicit TDrawingBox(QWidget* parent);

  void SetModel(const CTSelectionModel* model);
  // The state shown changed: the drawing is rebuilt at the next paint.
  void Invalidate();
  // The drawing at the box's current size, rebuilt when stale.
  const charts::DisplayList& Drawing();

protected:
  virtual void Redraw(charts::DisplayList& list, const charts::CTTextMetrics& metrics, int nWidth, int nHeight) = 0;
  void paintEvent(QPaintEvent* event) override;

  const CTSelectionModel* v_model = nullptr;

private:
  bool v_stale = true;
  render::QtTextMetrics v_metrics;
  charts::DisplayList v_list;
  QImage v_image; // v_list at the screen's pixel ratio
};

// The fan, efficiency or correction graph.
class TGraphBox : public TDrawingBox
{
public:
  TGraphBox(QWidget* parent, charts::TGraphKind kind);

  charts::TGraphKind Kind() const { return v_kind; }
  // What the last drawing showed (curves, points, legend cells).
  const charts::CTGraphDrawing& Graph();

protected:
  void Redraw(charts::DisplayList& list, const charts::CTTextMetrics& metrics, int nWidth, int nHeight) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  charts::TGraphKind v_kind;
  charts::CTGraphDrawing v_graph;
};

// The configuration drawing, with the unit's limits on the Configuration
// page and without them in the floating window.
class TConfigurationBox : public TDrawingBox
{
public:
  explicit TConfigurationBox(QWidget* parent, bool bShowLimits = true);

protected:
  void Redraw(charts::DisplayList& list, const charts::CTTextMetrics& metrics, int nWidth, int nHeight) override;

private:
  bool v_showLimits;
};

// The texts of the graphs and of the configuration drawing in the interface language.
charts::CTGraphTexts GraphTexts();
charts::CTConfigurationTexts ConfigurationTexts();

} // namespace aw::app
