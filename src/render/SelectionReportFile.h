#pragma once
// The report of a selection as a file: the composition with the program's
// messages and translation, the charts and graphs replayed from their
// display lists, the logos loaded with Qt, written as RTF or PDF by the
// file's extension and saved in one step, so that a failed save leaves an
// existing file as it was.

#include "charts/DisplayList.h"
#include "charts/GraphPages.h"
#include "docs/DocumentFile.h"
#include "docs/SelectionReport.h"
#include "render/PdfPaintedPicture.h"

#include <QImage>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace aw::platform {
class SettingsStore;
}

namespace aw::render {

// A chart or graph as a document picture: its display list replayed.
class CTDisplayListPicture : public CTPaintedPicture
{
public:
  explicit CTDisplayListPicture(charts::DisplayList list) : v_list(std::move(list)) {}
  int LogicalWidth() const override { return v_list.width; }
  int LogicalHeight() const override { return v_list.height; }
  void paint(QPainter& painter) const override;

private:
  charts::DisplayList v_list;
};

// A raster picture (a logo), one logical pixel per image pixel.
class CTImagePicture : public CTPaintedPicture
{
public:
  explicit CTImagePicture(QImage image) : v_image(std::move(image)) {}
  // None when the bytes or the file are no picture Qt can read.
  static std::shared_ptr<CTImagePicture> FromBytes(const std::string& bytes);
  static std::shared_ptr<CTImagePicture> FromFile(const std::string& szFile);
  int LogicalWidth() const override { return v_image.width(); }
  int LogicalHeight() const override { return v_image.height(); }
  void paint(QPainter& painter) const override;

private:
  QImage v_image;
};

// The numbered messages and the interface translation in effect.
class CTProgramReportTexts : public docs::CTReportTexts
{
public:
  std::string Message(int nMsgNo, const std::vector<std::string>& params = {}) const override;
  std::string Translate(std::string_view szEnglish) const override;
};

// The charts and graphs of the model's picked unit and the program's logos.
class CTSelectionPictures : public docs::CTReportPictures
{
public:
  explicit CTSelectionPictures(const CTSelectionModel& model) : v_model(model) {}
  std::shared_ptr<const docs::CTDocPicture> Chart(bool bCooling) override;
  std::shared_ptr<const docs::CTDocPicture> FanGraph() override;
  std::shared_ptr<const docs::CTDocPicture> EfficiencyGraph() override;
  std::shared_ptr<const docs::CTDocPicture> CorrectionGraph() override;
  std::shared_ptr<const docs::CTDocPicture> ConfigurationDrawing() override;
  std::shared_ptr<const docs::CTDocPicture> ResourcePicture(std::string_view szName) override;
  std::shared_ptr<const docs::CTDocPicture> FilePicture(const std::string& szFile) override;

private:
  std::shared_ptr<const docs::CTDocPicture> Graph(charts::TGraphKind kind);

  const CTSelectionModel& v_model;
};

// The report's bytes in the format the extension names (".rtf", else PDF);
// empty when the document could not be made.
std::string SelectionReportBytes(CTSelectionModel& model, const docs::CTDistributorSettings& distributor,
                                 const std::string& szExtension);
// Writes the report of the model's picked unit to the file (.rtf or .pdf):
// message -3 with the file's name when it cannot be made or saved.
std::optional<docs::CTDocWriteError> SaveSelectionReport(CTSelectionModel& model,
                                                         const docs::CTDistributorSettings& distributor,
                                                         const std::filesystem::path& file);

} // namespace aw::render
