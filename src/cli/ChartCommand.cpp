// airwright-cli chart: the psychrometric or Mollier chart, or the fan,
// exchange-efficiency or efficiency-correction graph, of the selected unit
// without a window, as SVG, PNG (twice the size) or PDF, or its lines and
// points as JSON.

#include "cli/Commands.h"
#include "cli/SelectOptions.h"

#include "catalogue/CatalogueSession.h"
#include "charts/ConfigurationDrawing.h"
#include "charts/GraphPages.h"
#include "charts/PsychroGraph.h"
#include "engine/EngineFactory.h"
#include "engine/SelectionModel.h"
#include "i18n/BaseMsgMan.h"
#include "platform/AtomicFile.h"
#include "platform/CaseFolding.h"
#include "platform/SettingsStore.h"
#include "render/ChartRender.h"

#include <QGuiApplication>
#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

namespace aw::cli {
namespace {

using Json = nlohmann::ordered_json;

struct ChartOptions
{
  std::string kind;
  std::string mode = "cooling";
  std::string out;
  std::string size = "800x600";
  bool json = false;
  SelectOptions select;
};

std::pair<int, int> ParseSize(const std::string& szText)
{
  const std::size_t x = platform::FoldCase(szText).find('x');
  int w = 0, h = 0;
  try {
    if (x != std::string::npos) {
      w = std::stoi(szText.substr(0, x));
      h = std::stoi(szText.substr(x + 1));
    }
  } catch (const std::exception&) {
    w = h = 0;
  }
  if (w < 100 || h < 100 || w > 10000 || h > 10000)
    throw CommandError("--size: \"" + szText + "\" is not WxH with each side 100 … 10000 px");
  return {w, h};
}

// A drawn value to 12 significant digits: 1.6 rather than the
// 1.5999999999999999 that summed axis steps give.
double Tidy(double v)
{
  if (!std::isfinite(v))
    return v;
  char text[32];
  std::snprintf(text, sizeof text, "%.12g", v);
  return std::strtod(text, nullptr);
}

Json WorldJson(const charts::DLWorldPoint& w) { return {{"DBT", Tidy(w.DBT)}, {"AH", Tidy(w.AH)}}; }

Json ChartJson(const charts::DisplayList& list)
{
  Json lines = Json::array(), states = Json::array();
  for (const charts::DLPrimitive& p : list.items) {
    if (p.tag.empty())
      continue;
    // A state is its disc: one world point, the two corners of its box.
    if (p.tag.starts_with("state:") && p.world.size() == 1 && p.points.size() == 2) {
      const charts::DLPoint& a = p.points[0];
      const charts::DLPoint& b = p.points[1];
      states.push_back({{"tag", p.tag}, {"world", WorldJson(p.world[0])}, {"device", {(a.x + b.x - 1) / 2.0, (a.y + b.y - 1) / 2.0}}});
      continue;
    }
    if (p.world.size() != p.points.size())
      continue;
    Json points = Json::array();
    for (std::size_t i = 0; i < p.points.size(); ++i)
      points.push_back({{"world", WorldJson(p.world[i])}, {"device", {p.points[i].x, p.points[i].y}}});
    lines.push_back({{"tag", p.tag}, {"points", points}});
  }
  return {{"width", list.width}, {"height", list.height}, {"lines", lines}, {"states", states}};
}

Json XYJson(const charts::CTWorldPoint& p) { return {{"x", Tidy(p.x)}, {"y", Tidy(p.y)}}; }
Json DeviceJson(const charts::CTWorldPoint& p) { return {Tidy(p.x), Tidy(p.y)}; }
Json AxisJson(const charts::CTGraphAxis& a) { return {{"min", Tidy(a.min)}, {"max", Tidy(a.max)}, {"unit", a.unit}}; }

Json GraphJson(const charts::CTGraphDrawing& g)
{
  Json curves = Json::array(), points = Json::array();
  for (const charts::CTGraphCurve& c : g.curves) {
    Json values = Json::array();
    for (std::size_t i = 0; i < c.world.size(); ++i)
      values.push_back({{"world", XYJson(c.world[i])}, {"device", DeviceJson(c.device[i])}});
    curves.push_back({{"tag", c.tag}, {"points", values}});
  }
  for (const charts::CTGraphPoint& p : g.points)
    points.push_back({{"tag", p.tag}, {"label", p.label}, {"world", XYJson(p.world)}, {"device", DeviceJson(p.device)}});
  return {{"axes", {{"x", AxisJson(g.x)}, {"y", AxisJson(g.y)}}}, {"curves", curves}, {"points", points}};
}

Json RectJson(const charts::TVirtGraph::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

Json ConfigurationJson(const charts::DisplayList& list, const charts::CTConfigurationDrawing& d)
{
  Json labels = Json::array(), boxes = Json::array();
  for (const charts::CTConfigLabel& l : d.labels)
    labels.push_back({{"tag", l.tag}, {"text", l.text}, {"device", RectJson(l.box)}});
  for (const charts::CTConfigLabel& b : d.boxes)
    boxes.push_back({{"tag", b.tag}, {"device", RectJson(b.box)}});
  return {{"width", list.width}, {"height", list.height}, {"unit", RectJson(d.unit)}, {"labels", labels}, {"boxes", boxes}};
}

std::optional<charts::TGraphKind> GraphKind(const std::string& szKind)
{
  if (szKind == "fan")
    return charts::TGraphKind::Fan;
  if (szKind == "efficiency")
    return charts::TGraphKind::Efficiency;
  if (szKind == "correction")
    return charts::TGraphKind::Correction;
  return std::nullopt;
}

// Qt paints the PNG and PDF; without a display it uses its offscreen platform.
std::unique_ptr<QGuiApplication> StartQt()
{
  if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "airwright-cli";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

std::string FileBytes(const charts::DisplayList& list, const std::string& szExtension)
{
  std::string bytes = render::chartFileBytes(list, szExtension.substr(1));
  if (bytes.empty())
    throw CommandError("the chart could not be encoded as " + szExtension.substr(1));
  return bytes;
}

void Run(const ChartOptions& o, const CommonOptions& common)
{
  const std::string extension = platform::FoldCase(std::filesystem::path(o.out).extension().string());
  if (!o.json && extension != ".svg" && extension != ".png" && extension != ".pdf")
    throw CommandError("--out: \"" + o.out + "\" must end in .svg, .png or .pdf");
  const auto [width, height] = ParseSize(o.size);
  i18n::RegisterProgramMessages();
  UseProgramUnits();
  const auto session = OpenProgramCatalogue(common, std::make_unique<CTEngineFactory>());
  CTSelectionModel model(&session->Factory());
  ApplySelectOptions(model, o.select, session->Factory());

  // Pictures are laid out with the fonts they are painted with; SVG and JSON
  // with the fixed table, so that they are the same on every machine.
  const bool bPainted = !o.json && extension != ".svg";
  const std::unique_ptr<QGuiApplication> qt = bPainted ? StartQt() : nullptr;
  const charts::FixedTextMetrics fixedMetrics;
  const render::QtTextMetrics qtMetrics;
  const charts::CTTextMetrics& metrics = bPainted ? static_cast<const charts::CTTextMetrics&>(qtMetrics) : fixedMetrics;
  charts::DisplayList list;
  Json json;
  // Pictures in the language chosen; the JSON's tags and texts stay English.
  if (o.kind == "configuration") {
    charts::CTConfigurationTexts texts;
    if (!o.json)
      charts::TranslateConfigurationTexts(texts, i18n::TranslatedText);
    json = ConfigurationJson(
      list, charts::DrawConfiguration(list, metrics, width, height, charts::ConfigDataFor(model), true, texts));
  } else if (const std::optional<charts::TGraphKind> graph = GraphKind(o.kind)) {
    charts::CTGraphTexts texts;
    if (!o.json)
      charts::TranslateGraphTexts(texts, i18n::TranslatedText);
    // The legends as the user keeps them, as the window and the report show them.
    json = GraphJson(
      charts::CTGraphPage(model, texts, &platform::SettingsStore::User()).Draw(*graph, list, metrics, width, height));
  } else {
    charts::CTChartRequest request = charts::ChartRequestFor(model, o.mode == "cooling");
    request.bPsychro = o.kind == "psychrometric";
    request.nWidth = width;
    request.nHeight = height;
    if (!o.json) // the JSON's state tags keep the English labels
      charts::TranslateChartTexts(request, i18n::TranslatedText);
    charts::DrawUnitChart(list, metrics, request);
    json = ChartJson(list);
  }

  if (o.json) {
    std::cout << json.dump(1) << '\n';
  } else {
    std::string error;
    if (!platform::WriteFileAtomically(o.out, FileBytes(list, extension), error))
      throw CommandError(o.out + ": " + error);
  }
  std::cout.flush();
  EndWithSelectionMessage(model);
}

} // namespace

void AddChartCommand(CLI::App& app, const CommonOptions& common)
{
  auto* cmd = app.add_subcommand(
    "chart", "Draws the psychrometric or Mollier chart, the fan, efficiency or correction graph, or the "
             "configuration drawing of the selected unit (the select options choose it) as SVG, PNG (at twice the size) or PDF, or prints its "
             "lines and points as JSON (chart world values in °C and kg/kg, graph values in the units shown). "
             "Exit code 2: a selection message (the chart is still written).");
  auto o = std::make_shared<ChartOptions>();
  cmd->add_option("kind", o->kind, "psychrometric|mollier|fan|efficiency|correction|configuration")
    ->required()
    ->check(CLI::IsMember({"psychrometric", "mollier", "fan", "efficiency", "correction", "configuration"}));
  cmd->add_option("--mode", o->mode, "cooling|heating (default cooling)")->check(CLI::IsMember({"cooling", "heating"}));
  auto* out = cmd->add_option("--out", o->out, "The file to write: .svg, .png or .pdf");
  cmd->add_option("--size", o->size, "Chart size WxH in px at 96 dpi (default 800x600)");
  cmd->add_flag("--json", o->json, "Prints the chart's lines and states as JSON instead")->excludes(out);
  AddSelectOptions(*cmd, o->select);
  cmd->callback([o, &common] {
    if (!o->json && o->out.empty())
      throw CommandError("chart needs --out FILE or --json");
    Run(*o, common);
  });
}

} // namespace aw::cli
