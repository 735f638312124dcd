#pragma once
// The drawing surface of every chart: world coordinates pass through one
// affine transform per axis (device = world × scale + offset, rounded half
// to even after the transform) and land as primitives in a display list.
// The canvas keeps the pen, brush and font the primitives are recorded with,
// a tag (the world meaning of what is drawn next), an optional clip
// rectangle for lines, and a snapshot of that state.
//
// A coordinate that is not finite or beyond ±1e7 px never becomes an
// integer: the primitive it belongs to is dropped.

#include "charts/DisplayList.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace aw::charts {

class CTVirtualPath;

// Nearest whole device unit, halves to the even neighbour; none when the
// value is not finite or too far out to be drawn.
std::optional<int> DeviceRound(double value);

// A point of world coordinates, optionally with the air state it stands for.
struct CTWorldPoint
{
  double x = 0, y = 0;
};

class CTVirtualCanvas
{
public:
  // Records into pList (not owned; it must outlive the canvas). bToPrinter:
  // the drawing goes to a document rather than to the window.
  CTVirtualCanvas(DisplayList& pList, const CTTextMetrics& pMetrics, bool bToPrinter = false);
  virtual ~CTVirtualCanvas() = default;
  CTVirtualCanvas(const CTVirtualCanvas&) = delete;
  CTVirtualCanvas& operator=(const CTVirtualCanvas&) = delete;

  DisplayList& DrawingCanvas() { return *v_list; }
  const CTTextMetrics& Metrics() const { return *v_metrics; }
  bool ToPrinter() const { return v_toPrinter; }

  // ---- transform ----
  void SetOffsetX(double nOffset) { v_offsetX = nOffset; }
  void SetOffsetY(double nOffset) { v_offsetY = nOffset; }
  double GetOffsetX() const { return v_offsetX; }
  double GetOffsetY() const { return v_offsetY; }
  void SetScale(double nScale) { v_scaleX = v_scaleY = nScale; }
  void SetScaleX(double nScale) { v_scaleX = nScale; }
  void SetScaleY(double nScale) { v_scaleY = nScale; }
  double GetScaleX() const { return v_scaleX; }
  double GetScaleY() const { return v_scaleY; }
  void SetLabelScale(double nScale) { v_labelScale = nScale; }
  double GetLabelScale() const { return v_labelScale; }
  double DeviceX(double x) const { return x * v_scaleX + v_offsetX; } // unrounded
  double DeviceY(double y) const { return y * v_scaleY + v_offsetY; }

  // ---- drawing state ----
  Colour VCPenColor() const { return v_pen.colour; }
  void SetVCPenColor(Colour c) { v_pen.colour = c; }
  double VCPenWidth() const { return v_pen.width; }
  void SetVCPenWidth(double w); // rounded to whole pixels
  PenStyle VCPenStyle() const { return v_pen.style; }
  void SetVCPenStyle(PenStyle s) { v_pen.style = s; }
  Colour VCBrushColor() const { return v_brush.colour; }
  void SetVCBrushColor(Colour c) { v_brush.colour = c; }
  BrushStyle VCBrushStyle() const { return v_brush.style; }
  void SetVCBrushStyle(BrushStyle s) { v_brush.style = s; }
  const std::string& VCTextFontName() const { return v_font.name; }
  void SetVCTextFontName(std::string szName) { v_font.name = std::move(szName); }
  Colour VCTextColor() const { return v_font.colour; }
  void SetVCTextColor(Colour c) { v_font.colour = c; }
  int VCTextSize() const { return v_font.pixelSize; } // px at 96 dpi
  void SetVCTextSize(double nPixels);                // rounded to whole pixels
  bool VCTextBold() const { return v_font.bold; }
  void SetVCTextBold(bool b) { v_font.bold = b; }
  const DLFont& Font() const { return v_font; }
  void SetFont(const DLFont& font) { v_font = font; }
  double VCLineOpacity() const { return v_lineOpacity; }
  void SetVCLineOpacity(double v) { v_lineOpacity = v; }
  double VCFillOpacity() const { return v_fillOpacity; }
  void SetVCFillOpacity(double v) { v_fillOpacity = v; }

  // The tag of the primitives drawn next ("" for none).
  void SetTag(std::string szTag) { v_tag = std::move(szTag); }
  const std::string& Tag() const { return v_tag; }
  // Lines are cut to this device rectangle (left, top, right, bottom, inclusive).
  void SetLineClip(double left, double top, double right, double bottom);
  void ClearLineClip() { v_clip.reset(); }

  // Snapshot of pen, brush, font, opacities and the transform, and its return.
  void SaveProperties();
  void RestoreProperties();

  // ---- world-coordinate drawing ----
  void MoveTo(double x, double y, const DLWorldPoint* air = nullptr);
  void LineTo(double x, double y, const DLWorldPoint* air = nullptr);
  void DrawRectangle(double x1, double y1, double x2, double y2);
  // nRndDiamY of exactly -1: nRndDiamX for both. Diameters scale with |scale y|.
  void DrawRoundedRectangle(double x1, double y1, double x2, double y2, double nRndDiamX, double nRndDiamY = -1);
  void DrawSquareFixed(double x, double y, double nSizeDiv2); // half size in px
  void DrawCrossFixed(double x, double y, double nArmSize);   // arm in px
  void DrawEllipse(double x1, double y1, double x2, double y2);
  void DrawArc(double x1, double y1, double x2, double y2, double x3, double y3, double x4, double y4);
  // Transforms the points in place to device units (rounded).
  void ScalePoints(std::vector<CTWorldPoint>& points) const;
  void DrawPolygon(std::vector<CTWorldPoint>& points);
  void DrawPolyLine(std::vector<CTWorldPoint>& points);
  // A smooth curve of cubic segments through the points.
  void DrawCurve(const std::vector<CTWorldPoint>& points);
  void TextOut(double x, double y, const std::string& szStr);
  double TextHeight() const;                       // of "A", in world units of y
  double TextWidth(const std::string& szStr) const; // in world units of x
  void DrawPath(const CTVirtualPath& pPath, double x, double y);

  // ---- device-unit drawing (labels and marks placed in pixels) ----
  void DeviceMoveTo(double X, double Y, const DLWorldPoint* air = nullptr);
  void DeviceLineTo(double X, double Y, const DLWorldPoint* air = nullptr);
  void DeviceRectangle(double X1, double Y1, double X2, double Y2);
  void DeviceEllipse(double X1, double Y1, double X2, double Y2);
  void DeviceTextOut(double X, double Y, const std::string& szStr);
  void DeviceBezier(const std::vector<CTWorldPoint>& devicePoints);
  int DeviceTextWidth(const std::string& szStr) const { return v_metrics->TextWidth(v_font, szStr); }
  int DeviceTextHeight(const std::string& szStr = "A") const { return v_metrics->TextHeight(v_font, szStr); }

private:
  struct Snapshot
  {
    DLPen pen;
    DLBrush brush;
    DLFont font;
    double lineOpacity, fillOpacity;
    double offsetX, offsetY, scaleX, scaleY, labelScale;
  };
  struct Clip
  {
    double left, top, right, bottom;
  };

  DLPrimitive& Begin(DLKind kind);
  bool AddBox(DLKind kind, double X1, double Y1, double X2, double Y2);
  void AppendLine(double X0, double Y0, double X1, double Y1, const DLWorldPoint* air0, const DLWorldPoint* air1);
  bool ClipSegment(double& X0, double& Y0, double& X1, double& Y1, double& t0, double& t1) const;

  DisplayList* v_list;
  const CTTextMetrics* v_metrics;
  bool v_toPrinter;
  double v_offsetX = 0, v_offsetY = 0, v_scaleX = 1, v_scaleY = 1, v_labelScale = 1;
  double v_lineOpacity = 1.0, v_fillOpacity = 1.0;
  DLPen v_pen;
  DLBrush v_brush;
  DLFont v_font;
  std::string v_tag;
  std::optional<Clip> v_clip;
  Snapshot v_saved{};
  // The unrounded device position of the pen and its air state; none after
  // a point that could not be drawn.
  std::optional<CTWorldPoint> v_penPos;
  std::optional<DLWorldPoint> v_penAir;
  bool v_lineOpen = false; // the last primitive is a polyline ending at the pen
};

// ---- paths -------------------------------------------------------------------

class LTVirtualPathNode
{
public:
  virtual ~LTVirtualPathNode() = default;
  // Draws the node from the current point (path units), which it moves to its end.
  virtual void DrawNode(CTVirtualCanvas& canvas, const LTVirtualPathNode* pPrevious, CTWorldPoint origin,
                        CTWorldPoint& current) = 0;
  double v_x = 0, v_y = 0;
  bool v_relative = false;

protected:
  CTWorldPoint End(CTWorldPoint current) const
  {
    return v_relative ? CTWorldPoint{current.x + v_x, current.y + v_y} : CTWorldPoint{v_x, v_y};
  }
};

class LTVirtualPathNodeMoveTo : public LTVirtualPathNode
{
public:
  void DrawNode(CTVirtualCanvas&, const LTVirtualPathNode*, CTWorldPoint, CTWorldPoint&) override;
};
class LTVirtualPathNodeLineTo : public LTVirtualPathNode
{
public:
  void DrawNode(CTVirtualCanvas&, const LTVirtualPathNode*, CTWorldPoint, CTWorldPoint&) override;
};
class LTVirtualPathNodeHLineTo : public LTVirtualPathNode
{
public:
  void DrawNode(CTVirtualCanvas&, const LTVirtualPathNode*, CTWorldPoint, CTWorldPoint&) override;
};
class LTVirtualPathNodeVLineTo : public LTVirtualPathNode
{
public:
  void DrawNode(CTVirtualCanvas&, const LTVirtualPathNode*, CTWorldPoint, CTWorldPoint&) override;
};
class LTVirtualPathNodeClose : public LTVirtualPathNode
{
public:
  void DrawNode(CTVirtualCanvas&, const LTVirtualPathNode*, CTWorldPoint, CTWorldPoint&) override;
};

class LTVirtualPathNodeCubicBezier : public LTVirtualPathNode
{
public:
  void DrawNode(CTVirtualCanvas&, const LTVirtualPathNode*, CTWorldPoint, CTWorldPoint&) override;
  double v_cp1X = 0, v_cp1Y = 0, v_cp2X = 0, v_cp2Y = 0;
  double v_absCp2X = 0, v_absCp2Y = 0; // written when drawn

protected:
  virtual CTWorldPoint FirstControl(const LTVirtualPathNode* pPrevious, CTWorldPoint current) const;
};
class LTVirtualPathNodeCubicBezierNext : public LTVirtualPathNodeCubicBezier
{
protected:
  CTWorldPoint FirstControl(const LTVirtualPathNode* pPrevious, CTWorldPoint current) const override;
};

class LTVirtualPathNodeQuadraticBezier : public LTVirtualPathNode
{
public:
  void DrawNode(CTVirtualCanvas&, const LTVirtualPathNode*, CTWorldPoint, CTWorldPoint&) override;
  double v_cpX = 0, v_cpY = 0;
  double v_absCpX = 0, v_absCpY = 0; // written when drawn

protected:
  virtual CTWorldPoint Control(const LTVirtualPathNode* pPrevious, CTWorldPoint current) const;
};
class LTVirtualPathNodeQuadraticBezierNext : public LTVirtualPathNodeQuadraticBezier
{
protected:
  CTWorldPoint Control(const LTVirtualPathNode* pPrevious, CTWorldPoint current) const override;
};

class LTVirtualPathNodeEllipticArc : public LTVirtualPathNode
{
public:
  void DrawNode(CTVirtualCanvas&, const LTVirtualPathNode*, CTWorldPoint, CTWorldPoint&) override;
  double v_radiusX = 1.0, v_radiusY = 1.0, v_xRotation = 0; // rotation in degrees
  bool v_largeArcFlag = false, v_sweepFlag = false;
};

// A retained vector path, replayed onto a canvas at an origin.
class CTVirtualPath
{
public:
  void AddMoveTo(double nX, double nY, bool bRelative = false);
  void AddLineTo(double nX, double nY, bool bRelative = false);
  void AddHLineTo(double nX, bool bRelative = false);
  void AddVLineTo(double nY, bool bRelative = false);
  void AddCubicBezier(double nCp1X, double nCp1Y, double nCp2X, double nCp2Y, double nEpX, double nEpY,
                      bool bRelative = false);
  void AddCubicBezierNext(double nCpX, double nCpY, double nEpX, double nEpY, bool bRelative = false);
  void AddQuadraticBezier(double nCpX, double nCpY, double nEpX, double nEpY, bool bRelative = false);
  void AddQuadraticBezierNext(double nEpX, double nEpY, bool bRelative = false);
  void AddEllipticArc(double nRadiusX, double nRadiusY, double nXRotation, bool bLargeArcFlag, bool bSweepFlag,
                      double nEpX, double nEpY, bool bRelative = false);
  void AddClose();

  const std::vector<std::unique_ptr<LTVirtualPathNode>>& Nodes() const { return v_nodes; }
  void DrawOn(CTVirtualCanvas& pCanv, double nX, double nY) const;

private:
  template <class Node>
  Node& Add(double x, double y, bool bRelative);
  std::vector<std::unique_ptr<LTVirtualPathNode>> v_nodes;
};

} // namespace aw::charts
