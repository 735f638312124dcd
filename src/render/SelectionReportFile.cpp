#include "render/SelectionReportFile.h"

#include "charts/ConfigurationDrawing.h"
#include "charts/PsychroGraph.h"
#include "docs/RTFOutput.h"
#include "i18n/BaseMsgMan.h"
#include "platform/Resources.h"
#include "platform/SettingsStore.h"
#include "render/ChartRender.h"
#include "render/PdfOutput.h"

#include <QPainter>

namespace aw::render {
namespace {

std::string Tr(const std::string& szEnglish)
{
  return i18n::TranslatedText(szEnglish);
}

charts::CTGraphTexts TranslatedGraphTexts()
{
  charts::CTGraphTexts texts;
  charts::TranslateGraphTexts(texts, i18n::TranslatedText);
  return texts;
}

template <class Write>
std::string Compose(CTSelectionModel& model, const docs::CTDistributorSettings& distributor, docs::CTDocOutput& out,
                    Write finish)
{
  const CTSelectionView view(model);
  const CTProgramReportTexts texts;
  CTSelectionPictures pictures(model);
  docs::CTSelectionReport report(out, view, texts, pictures);
  report.Write(docs::ReportDecorations(distributor, texts, pictures));
  return finish();
}

} // namespace

void CTDisplayListPicture::paint(QPainter& painter) const
{
  replay(painter, v_list);
}

std::shared_ptr<CTImagePicture> CTImagePicture::FromBytes(const std::string& bytes)
{
  QImage image;
  if (bytes.empty() || !image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), int(bytes.size())))
    return nullptr;
  return std::make_shared<CTImagePicture>(std::move(image));
}

std::shared_ptr<CTImagePicture> CTImagePicture::FromFile(const std::string& szFile)
{
  QImage image;
  if (szFile.empty() || !image.load(QString::fromStdString(szFile)))
    return nullptr;
  return std::make_shared<CTImagePicture>(std::move(image));
}

void CTImagePicture::paint(QPainter& painter) const
{
  painter.drawImage(QRectF(0, 0, v_image.width(), v_image.height()), v_image);
}

std::string CTProgramReportTexts::Message(int nMsgNo, const std::vector<std::string>& params) const
{
  return i18n::GetUnicodeString(nMsgNo, params);
}

std::string CTProgramReportTexts::Translate(std::string_view szEnglish) const
{
  return Tr(std::string(szEnglish));
}

std::shared_ptr<const docs::CTDocPicture> CTSelectionPictures::Chart(bool bCooling)
{
  charts::CTChartRequest request = charts::ChartRequestFor(v_model, bCooling);
  if (request.nFamily < 0)
    return nullptr;
  request.bPsychro = charts::CTDiagramSettings::Current().DiagramType;
  request.nWidth = 800;
  request.nHeight = 600;
  request.szTitle.clear();
  request.bLegend = false;
  for (std::string* title : {&request.szDBTitle, &request.szAHTitle, &request.szRHTitle, &request.szETitle})
    *title = Tr(*title);
  charts::DisplayList list;
  charts::DrawUnitChart(list, QtTextMetrics(), request, true);
  return std::make_shared<CTDisplayListPicture>(std::move(list));
}

std::shared_ptr<const docs::CTDocPicture> CTSelectionPictures::Graph(charts::TGraphKind kind)
{
  if (!v_model.CurrentBrisa())
    return nullptr;
  charts::DisplayList list;
  // The legends as the user keeps them, so that the report shows the curves the window shows.
  charts::CTGraphPage(v_model, TranslatedGraphTexts(), &platform::SettingsStore::User())
    .Draw(kind, list, QtTextMetrics(), 640, 480, 12, true);
  return std::make_shared<CTDisplayListPicture>(std::move(list));
}

std::shared_ptr<const docs::CTDocPicture> CTSelectionPictures::ConfigurationDrawing()
{
  const charts::CTConfigData data = charts::ConfigDataFor(v_model);
  if (data.nFamily < 0)
    return nullptr;
  charts::CTConfigurationTexts texts;
  charts::TranslateConfigurationTexts(texts, i18n::TranslatedText);
  charts::DisplayList list;
  charts::DrawConfiguration(list, QtTextMetrics(), 800, 600, data, true, texts);
  return std::make_shared<CTDisplayListPicture>(std::move(list));
}

std::shared_ptr<const docs::CTDocPicture> CTSelectionPictures::FanGraph() { return Graph(charts::TGraphKind::Fan); }
std::shared_ptr<const docs::CTDocPicture> CTSelectionPictures::EfficiencyGraph() { return Graph(charts::TGraphKind::Efficiency); }
std::shared_ptr<const docs::CTDocPicture> CTSelectionPictures::CorrectionGraph() { return Graph(charts::TGraphKind::Correction); }

std::shared_ptr<const docs::CTDocPicture> CTSelectionPictures::ResourcePicture(std::string_view szName)
{
  const std::optional<platform::ResourceBytes> bytes = platform::Resources::Find(szName);
  if (!bytes)
    return nullptr;
  return CTImagePicture::FromBytes(std::string(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

std::shared_ptr<const docs::CTDocPicture> CTSelectionPictures::FilePicture(const std::string& szFile)
{
  return CTImagePicture::FromFile(szFile);
}

std::string SelectionReportBytes(CTSelectionModel& model, const docs::CTDistributorSettings& distributor,
                                 const std::string& szExtension)
{
  EnsureGuiApplication();
  if (szExtension == ".rtf") {
    docs::CTRTFOutput rtf;
    return Compose(model, distributor, rtf, [&rtf] { return rtf.Finish(); });
  }
  CTPdfOutput pdf;
  return Compose(model, distributor, pdf, [&pdf] { return pdf.Finish(); });
}

std::optional<docs::CTDocWriteError> SaveSelectionReport(CTSelectionModel& model,
                                                         const docs::CTDistributorSettings& distributor,
                                                         const std::filesystem::path& file)
{
  std::string extension = file.extension().string();
  for (char& c : extension)
    c = char(std::tolower(static_cast<unsigned char>(c)));
  const std::string bytes = SelectionReportBytes(model, distributor, extension);
  if (bytes.empty())
    return docs::CTDocWriteError{-3, file.string(), "the document could not be made"};
  return docs::SaveDocumentFile(file, bytes);
}

} // namespace aw::render
