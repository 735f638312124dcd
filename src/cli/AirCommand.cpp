// airwright-cli air: the moist-air state at an altitude, for one state or for
// a batch of states read from standard input as CSV.

#include "cli/Commands.h"

#include "air/Air.h"
#include "air/AirState.h"
#include "air/NumberFormat.h"
#include "foundation/PrintableBytes.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace aw::cli {

namespace {

constexpr double kMaxRH = 100;             // %
constexpr std::size_t kMaxEchoedCell = 40; // characters of a bad value quoted in its message

// Option values are plain decimal numbers: no "nan", "inf" or "0x10", which
// the option parser would otherwise read as numbers.
bool IsDecimalNumber(std::string_view text)
{
  std::size_t i = 0, digits = 0;
  auto skipDigits = [&] {
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
      ++digits;
  };
  if (i < text.size() && (text[i] == '+' || text[i] == '-'))
    ++i;
  skipDigits();
  if (i < text.size() && text[i] == '.') {
    ++i;
    skipDigits();
  }
  if (digits == 0)
    return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
      ++i;
    digits = 0;
    skipDigits();
    if (digits == 0)
      return false;
  }
  if (i != text.size())
    return false;
  double value = 0;
  const char* first = text.data() + (text.front() == '+' ? 1 : 0);
  const auto result = std::from_chars(first, text.data() + text.size(), value);
  return result.ec == std::errc{} && std::isfinite(value);
}

const CLI::Validator kDecimalNumber(
  [](const std::string& text) {
    return IsDecimalNumber(text) ? std::string()
                                 : "\"" + PrintableBytes(text, kMaxEchoedCell) + "\" is no decimal number";
  },
  "NUMBER");

struct AirOptions
{
  double altitude = 0;
  std::optional<double> dbt, rh, wb;
  bool json = false;
  bool csv = false;
};

// Shortest text that reads back as the same double; empty for NaN (no value).
std::string CsvNumber(double value)
{
  if (std::isnan(value))
    return "";
  char buf[64];
  const auto result = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, result.ptr);
}

nlohmann::ordered_json JsonNumber(double value)
{
  return std::isfinite(value) ? nlohmann::ordered_json(value) : nlohmann::ordered_json(nullptr);
}

// The relative humidity of the options, from --rh or from --wb.
double RelativeHumidityOf(const TAir& air, const AirOptions& o)
{
  if (o.rh)
    return *o.rh;
  if (*o.wb > *o.dbt)
    throw CommandError("the wet bulb " + Number2Str(*o.wb, 6) + " °C lies above the dry bulb " +
                       Number2Str(*o.dbt, 6) + " °C");
  // Below the wet bulb of dry air the enthalpy line would need a negative humidity.
  const double twbDry = air.ConvertDBRH2WB(*o.dbt, 0);
  if (*o.wb < twbDry - 1e-4)
    throw CommandError("the wet bulb " + Number2Str(*o.wb, 6) + " °C lies below that of dry air at " +
                       Number2Str(*o.dbt, 6) + " °C (" + Number2FmtStr(twbDry, 0, 2) + " °C)");
  const double rh = air.ConvertDBWB2RH(*o.dbt, *o.wb);
  return std::min(rh, kMaxRH);
}

void PrintText(double altitude, double dbt, const CTAirState& s)
{
  struct Line
  {
    const char* label;
    double value;
    int digits;
    const char* unit;
  };
  const Line lines[] = {
      {"pressure", s.P_Pa, 1, "Pa"},
      {"saturation pressure", s.ps_Pa, 1, "Pa"},
      {"humidity ratio", s.x_kgkg, 6, "kg/kg"},
      {"enthalpy", s.h_kJkg, 2, "kJ/kg"},
      {"dew point", s.tdp_C, 2, "°C"},
      {"wet bulb", s.twb_C, 2, "°C"},
      {"relative humidity", s.rh_pct, 2, "%"},
      {"density", s.rho_kgm3, 4, "kg/m³"},
  };
  std::cout << "Air at " << Number2Str(altitude, 6) << " m, " << Number2Str(dbt, 6) << " °C\n";
  for (const Line& l : lines) {
    std::string label = l.label;
    label.resize(20, ' ');
    if (std::isnan(l.value))
      std::cout << label << "  none (dry air)\n";
    else
      std::cout << label << Number2FmtStr(l.value, 12, l.digits) << ' ' << l.unit << '\n';
  }
}

void PrintJson(double altitude, double dbt, const CTAirState& s)
{
  const nlohmann::ordered_json out = {
      {"alt_m", altitude},          {"tdb_C", dbt},           {"P_Pa", s.P_Pa},
      {"ps_Pa", s.ps_Pa},           {"x_kgkg", s.x_kgkg},     {"h_kJkg", s.h_kJkg},
      {"tdp_C", JsonNumber(s.tdp_C)}, {"twb_C", JsonNumber(s.twb_C)}, {"rh_pct", s.rh_pct},
      {"rho_kgm3", s.rho_kgm3},
  };
  std::cout << out.dump() << '\n';
}

void RunSingle(const AirOptions& o)
{
  if (!o.dbt)
    throw CommandError("air needs --dbt (or --csv)");
  if (!o.rh && !o.wb)
    throw CommandError("air needs --rh or --wb");
  const TAir air(o.altitude);
  const CTAirState state = AirStateFromDbRh(air, *o.dbt, RelativeHumidityOf(air, o));
  if (o.json)
    PrintJson(o.altitude, *o.dbt, state);
  else
    PrintText(o.altitude, *o.dbt, state);
}

// The three numbers of one input line, or a text saying what is wrong with it.
struct CsvInput
{
  double alt = 0, tdb = 0, rh = 0;
  std::string error;
};

// A machine-written number: "." only, blanks around it allowed.
std::optional<double> ReadCsvNumber(const std::string& cell)
{
  const std::size_t first = cell.find_first_not_of(" \t");
  const std::size_t last = cell.find_last_not_of(" \t");
  if (first == std::string::npos)
    return std::nullopt;
  double value = 0;
  const char* end = cell.data() + last + 1;
  const auto result = std::from_chars(cell.data() + first, end, value);
  if (result.ec != std::errc{} || result.ptr != end || !std::isfinite(value))
    return std::nullopt;
  return value;
}

CsvInput ParseCsvLine(const std::string& line)
{
  CsvInput in;
  std::vector<std::string> cells;
  std::stringstream ss(line);
  for (std::string cell; std::getline(ss, cell, ',');)
    cells.push_back(cell);
  if (cells.size() != 3) {
    in.error = "expected alt_m,tdb_C,rh_pct";
    return in;
  }
  double* targets[] = {&in.alt, &in.tdb, &in.rh};
  for (std::size_t i = 0; i < 3; ++i) {
    const std::optional<double> v = ReadCsvNumber(cells[i]);
    if (!v) {
      in.error = "\"" + PrintableBytes(cells[i], kMaxEchoedCell) + "\" is no number";
      return in;
    }
    *targets[i] = *v;
  }
  if (in.alt < air::kMinAltitude || in.alt > air::kMaxAltitude)
    in.error = "altitude outside -500 … 10000 m";
  else if (in.tdb < air::kMinClampTemp || in.tdb > air::kMaxClampTemp)
    in.error = "dry bulb outside -80 … 80 °C";
  else if (in.rh < 0 || in.rh > kMaxRH)
    in.error = "relative humidity outside 0 … 100 %";
  return in;
}

void RunCsv()
{
  std::cout << "alt_m,tdb_C,rh_pct,P_Pa,ps_Pa,x_kgkg,h_kJkg,tdp_C,twb_C,rho_kgm3\n";
  std::string line;
  int nLine = 0, nSkipped = 0;
  bool bFirst = true;
  while (std::getline(std::cin, line)) {
    ++nLine;
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#')
      continue;
    const CsvInput in = ParseCsvLine(line);
    const bool bHeader = bFirst && !in.error.empty() && line.rfind("alt", 0) == 0;
    bFirst = false;
    if (bHeader)
      continue;
    if (!in.error.empty()) {
      std::cerr << "airwright-cli: line " << nLine << ": " << in.error << '\n';
      ++nSkipped;
      continue;
    }
    const CTAirState s = AirStateFromDbRh(TAir(in.alt), in.tdb, in.rh);
    std::cout << CsvNumber(in.alt) << ',' << CsvNumber(in.tdb) << ',' << CsvNumber(in.rh) << ','
              << CsvNumber(s.P_Pa) << ',' << CsvNumber(s.ps_Pa) << ',' << CsvNumber(s.x_kgkg) << ','
              << CsvNumber(s.h_kJkg) << ',' << CsvNumber(s.tdp_C) << ',' << CsvNumber(s.twb_C) << ','
              << CsvNumber(s.rho_kgm3) << '\n';
  }
  std::cout.flush();
  if (nSkipped > 0)
    throw CommandError(std::to_string(nSkipped) + " input line(s) skipped");
}

} // namespace

void AddAirCommand(CLI::App& app)
{
  auto* cmd = app.add_subcommand("air", "Prints the moist-air state at an altitude");
  auto o = std::make_shared<AirOptions>();
  auto* alt = cmd->add_option("--altitude", o->altitude, "Site altitude, m (default 0)")
                  ->check(kDecimalNumber)
                  ->check(CLI::Range(air::kMinAltitude, air::kMaxAltitude));
  auto* dbt = cmd->add_option("--dbt", o->dbt, "Dry-bulb temperature, °C")
                  ->check(kDecimalNumber)
                  ->check(CLI::Range(air::kMinClampTemp, air::kMaxClampTemp));
  auto* rh = cmd->add_option("--rh", o->rh, "Relative humidity, %")
                 ->check(kDecimalNumber)
                 ->check(CLI::Range(0.0, kMaxRH));
  auto* wb = cmd->add_option("--wb", o->wb, "Wet-bulb temperature, °C")
                 ->check(kDecimalNumber)
                 ->check(CLI::Range(air::kMinClampTemp, air::kMaxClampTemp));
  rh->excludes(wb);
  auto* json = cmd->add_flag("--json", o->json, "Prints the state as one JSON object");
  cmd->add_flag("--csv", o->csv,
                "Reads lines alt_m,tdb_C,rh_pct from standard input and writes "
                "alt_m,tdb_C,rh_pct,P_Pa,ps_Pa,x_kgkg,h_kJkg,tdp_C,twb_C,rho_kgm3 for each")
      ->excludes(alt)
      ->excludes(dbt)
      ->excludes(rh)
      ->excludes(wb)
      ->excludes(json);
  cmd->callback([o] {
    if (o->csv)
      RunCsv();
    else
      RunSingle(*o);
  });
}

} // namespace aw::cli
