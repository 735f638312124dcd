// Thirty states from an independent implementation of the ASHRAE equations at
// three altitudes. Our model uses other constants and puts the wet bulb on the
// line of constant enthalpy, so each row carries the band our values must meet.

#include "air/Air.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace aw {
namespace {

using Row = std::map<std::string, double>;

std::vector<Row> ReadReferenceTable(const std::string& path)
{
  std::ifstream in(path);
  std::vector<std::string> columns;
  std::vector<Row> rows;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') // the file mixes CR LF and LF line ends
      line.pop_back();
    if (line.empty() || line[0] == '#')
      continue;
    std::vector<std::string> cells;
    std::stringstream ss(line);
    for (std::string cell; std::getline(ss, cell, ',');)
      cells.push_back(cell);
    if (columns.empty()) {
      columns = cells;
      continue;
    }
    EXPECT_EQ(cells.size(), columns.size()) << line;
    Row row;
    for (std::size_t i = 0; i < cells.size() && i < columns.size(); ++i)
      row[columns[i]] = std::stod(cells[i]);
    rows.push_back(row);
  }
  return rows;
}

TEST(PsychroReference, EveryRowWithinItsBands)
{
  const std::vector<Row> rows = ReadReferenceTable(AW_TEST_DATA_DIR "/psychrolib_reference_30.csv");
  ASSERT_EQ(rows.size(), 30u);
  for (const Row& r : rows) {
    const double alt = r.at("alt_m"), t = r.at("tdb_C"), rh = r.at("rh_pct");
    SCOPED_TRACE(::testing::Message() << alt << " m, " << t << " °C, " << rh << " %");
    const TAir air(alt);
    const double x = air.AbsoluteHumidity(rh, t);
    const double h = air.Enthalpy(x, t);
    EXPECT_NEAR(air.GetTotalPressure(), r.at("P_Pa"), r.at("P_abs_tol_Pa"));
    EXPECT_NEAR(x / r.at("W_kgkg"), 1, r.at("W_rel_tol"));
    EXPECT_NEAR(h, r.at("h_kJkg"), r.at("h_abs_tol_kJkg"));
    EXPECT_NEAR(air.DewPoint(x), r.at("tdp_C"), r.at("tdp_abs_tol_K"));
    const double dtwb = air.WetBulbTemp(t, h) - r.at("twb_C");
    EXPECT_GE(dtwb, r.at("twb_delta_lo_K"));
    EXPECT_LE(dtwb, r.at("twb_delta_hi_K"));
    EXPECT_NEAR(air.AirDensity(rh, t) / r.at("rho_kgm3"), 1, r.at("rho_rel_tol"));
    EXPECT_NEAR(air.RelativeHumidity(r.at("W_kgkg"), t), rh, r.at("rh_from_W_abs_tol_pct"));
  }
}

} // namespace
} // namespace aw
