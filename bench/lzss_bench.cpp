// LZSS throughput on about 8 MB of database-shaped text and of random bytes.
// Compression is counted in input bytes per second, expansion in output bytes.

#include "foundation/LZSS.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

#ifdef NDEBUG
constexpr std::size_t kSize = 8 * 1024 * 1024;
#else
// Debug and sanitizer builds only check that the benchmark runs; their figures mean nothing.
constexpr std::size_t kSize = 256 * 1024;
#endif

// Lines as the database writer makes them: a record per line with integers, doubles
// and escaped strings, names and values repeating as they do in the catalogue.
const std::string& DatabaseText()
{
  static const std::string text = [] {
    std::mt19937 rng(11);
    const char* names[] = {"Brisa\\20", "Dorsa\\20DX\\20", "Pelmar-MF\\20", "Filter\\20F7\\20", "Plenum\\20"};
    std::string s = "EDI100\r\n5 12 Tbl_Cls_Brisa 7\r\n5 6 DVI_ID 2\r\n0\r\n";
    while (s.size() < kSize) {
      const char* name = names[rng() % 5];
      s += "2 " + std::to_string(rng() % 20000) + " 2 7 2 " + std::to_string(rng() % 300) + " 4 " +
           std::to_string(rng() % 10000) + "." + std::to_string(rng() % 100) + " 10 " +
           std::to_string(std::char_traits<char>::length(name) + 3) + " " + name + std::to_string(rng() % 999) +
           " 4 -2147483647 0 " + std::to_string(rng() % 2) + "\r\n";
    }
    s.resize(kSize);
    return s;
  }();
  return text;
}

const std::string& RandomBytes()
{
  static const std::string bytes = [] {
    std::mt19937 rng(5);
    std::string s(kSize, '\0');
    for (char& c : s)
      c = static_cast<char>(rng() & 0xFF);
    return s;
  }();
  return bytes;
}

std::string Compressed(const std::string& data, aw::CTLZSSVariant variant)
{
  aw::CTMemoryStream in(data), out;
  if (variant == aw::CTLZSSVariant::Standard)
    aw::CTLZSSLogic::Compress(in, out);
  else
    aw::CTLZSSSmallPhraseLogic::Compress(in, out);
  return out.Text();
}

void Compress(benchmark::State& state, const std::string& (*data)(), aw::CTLZSSVariant variant)
{
  const std::string& input = data();
  std::size_t packedSize = 0;
  for (auto _ : state) {
    aw::CTMemoryStream out;
    aw::CTLZSSCompressorStream compressor(out, variant);
    compressor.Write(input.data(), input.size());
    compressor.Finish();
    packedSize = out.Bytes().size();
    benchmark::DoNotOptimize(packedSize);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
  state.counters["ratio"] = static_cast<double>(packedSize) / static_cast<double>(input.size());
}

void Expand(benchmark::State& state, const std::string& (*data)(), aw::CTLZSSVariant variant)
{
  const std::string packed = Compressed(data(), variant);
  std::string output(data().size(), '\0');
  for (auto _ : state) {
    aw::CTMemoryStream in(packed);
    aw::CTLZSSExpanderStream expander(in, variant);
    std::size_t n = expander.Read(output.data(), output.size());
    benchmark::DoNotOptimize(n);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * output.size()));
}

} // namespace

BENCHMARK_CAPTURE(Compress, Text, &DatabaseText, aw::CTLZSSVariant::Standard)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Compress, Random, &RandomBytes, aw::CTLZSSVariant::Standard)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Expand, Text, &DatabaseText, aw::CTLZSSVariant::Standard)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Expand, Random, &RandomBytes, aw::CTLZSSVariant::Standard)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Compress, SmallPhraseText, &DatabaseText, aw::CTLZSSVariant::SmallPhrase)
  ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Expand, SmallPhraseText, &DatabaseText, aw::CTLZSSVariant::SmallPhrase)
  ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
