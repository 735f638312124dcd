// Loading a catalogue-shaped database of about 100,000 objects (about 10 MB
// of text) from bytes in memory into a connected memory engine, plain and
// compressed. Throughput is counted in bytes of text per second; beside it
// the heap a load needs at its peak and keeps afterwards, as a multiple of
// the expanded text and per object, and the peak resident memory of the
// process.
//
// Undo steps on the same database: single-object transactions, then undo
// and redo of as many steps as the stack holds; the time of each kind of
// step and the heap memory one step's layer holds.

#include "catalogue/Factory.h"
#include "db/DbObject.h"
#include "db/MemDB.h"
#include "foundation/LZSS.h"

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <new>

#include <random>
#include <string>

// The heap in use, counted at every operator new and delete of the process,
// so that the peak of a load is seen and not only what it keeps. The LZSS
// streams allocate on their worker threads, hence the atomics.
namespace heap {

std::atomic<std::int64_t> inUse{0};
std::atomic<std::int64_t> peak{0};

void Count(std::int64_t nBytes)
{
  const std::int64_t now = inUse.fetch_add(nBytes, std::memory_order_relaxed) + nBytes;
  std::int64_t highest = peak.load(std::memory_order_relaxed);
  while (now > highest && !peak.compare_exchange_weak(highest, now, std::memory_order_relaxed)) {
  }
}

// Starts a new peak at what is in use now; answers that.
std::int64_t StartPeak()
{
  const std::int64_t now = inUse.load(std::memory_order_relaxed);
  peak.store(now, std::memory_order_relaxed);
  return now;
}

} // namespace heap

void* operator new(std::size_t nBytes)
{
  void* p = std::malloc(nBytes ? nBytes : 1);
  if (!p)
    throw std::bad_alloc();
  heap::Count(static_cast<std::int64_t>(malloc_usable_size(p)));
  return p;
}

void operator delete(void* p) noexcept
{
  if (!p)
    return;
  heap::Count(-static_cast<std::int64_t>(malloc_usable_size(p)));
  std::free(p);
}

void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace aw {
namespace {

#ifdef NDEBUG
constexpr int kObjects = 100000;
#else
// Debug and sanitizer builds only check that the benchmark runs.
constexpr int kObjects = 2000;
#endif

// Fills every stored table of the catalogue schema with objects whose values
// look like catalogue data: names and descriptions, curve coefficients,
// integers; references stay empty so that any table order is consistent.
void Fill(CTFactory& factory, CTMemDbEngine& engine)
{
  std::mt19937 rng(7);
  std::vector<int> stored;
  for (int clsID = 0; clsID < factory.TableCount(); ++clsID)
    if (const CTTableInfo* t = factory.GetTableInfo(clsID); t && !t->IsAbstract())
      stored.push_back(clsID);
  for (int i = 0; i < kObjects; ++i) {
    const int clsID = stored[static_cast<std::size_t>(i) % stored.size()];
    std::unique_ptr<CTDbObject> obj(factory.CreateObject(clsID, 0));
    const CTFieldList& fields = obj->Descriptors();
    for (int ix = 1; ix < static_cast<int>(fields.size()); ++ix) {
      const CTFieldInfo* f = fields[ix];
      if (!f || f->GetReferenceTo() || (ix >= 2 && fields[ix - 1] && fields[ix - 1]->GetReferenceTo()))
        continue;
      switch (f->GetType()) {
      case ftBoolean: obj->SetBooleanValue(ix, rng() & 1); break;
      case ftInteger: obj->SetIntegerValue(ix, static_cast<int>(rng() % 5000)); break;
      case ftDouble: obj->SetDoubleValue(ix, static_cast<double>(rng() % 1000000) / 997.0); break;
      case ftUnicodeString: obj->SetUnicodeStringValue(ix, "Korvath unit " + std::to_string(rng() % 100000)); break;
      default: break;
      }
    }
    engine.DoInsert(obj.get());
  }
}

const std::string& CatalogueText(bool bCompressed)
{
  static const auto texts = [] {
    CTFactory factory;
    CTMemDbEngine::UseCompression(false);
    CTMemDbEngine engine(&factory, CTFactory::kLogicalName, "", false, CTFactory::kDbIx);
    Fill(factory, engine);
    CTMemoryStream plain;
    engine.WriteToStream(plain);
    CTMemoryStream packed;
    CTLZSSCompressorStream compressor(packed, kLZSSDatabaseSignature);
    compressor.WriteBuffer(plain.Bytes().data(), plain.Bytes().size());
    compressor.Finish();
    // The peak memory of a load is measured in a process of its own:
    // AW_BENCH_CATALOGUE_OUT=FILE keeps the text for `airwright-cli catalogue check FILE`.
    if (const char* out = std::getenv("AW_BENCH_CATALOGUE_OUT"))
      std::ofstream(out, std::ios::binary) << plain.Text();
    return std::pair{plain.Text(), packed.Text()};
  }();
  return bCompressed ? texts.second : texts.first;
}

void Load(benchmark::State& state, bool bCompressed)
{
  const std::string& text = CatalogueText(bCompressed);
  CTFactory factory;
  CTMemDbEngine::UseCompression(true);
  CTMemDbEngine::SetCompressionSignature(std::string(kLZSSDatabaseSignature));
  std::int64_t peakBytes = 0, keptBytes = 0;
  for (auto _ : state) {
    // Only the load is timed: not copying the input, not freeing the engine.
    state.PauseTiming();
    auto engine = std::make_unique<CTMemDbEngine>(&factory, CTFactory::kLogicalName, "", true, CTFactory::kDbIx);
    CTMemoryStream bytes(text);
    const std::int64_t before = heap::StartPeak();
    state.ResumeTiming();
    if (!engine->LoadFromStream(bytes))
      state.SkipWithError(engine->LastError().c_str());
    benchmark::DoNotOptimize(engine->CountObjects(144));
    state.PauseTiming();
    peakBytes = std::max(peakBytes, heap::peak.load() - before);
    keptBytes = heap::inUse.load() - before;
    engine.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(CatalogueText(false).size()));
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const double textBytes = static_cast<double>(CatalogueText(false).size());
  state.counters["text_MB"] = textBytes / 1e6;
  // A load may need at most three times the expanded text at its peak.
  state.counters["peak_heap_per_text"] = static_cast<double>(peakBytes) / textBytes;
  state.counters["peak_heap_B_per_object"] = static_cast<double>(peakBytes) / kObjects;
  state.counters["kept_heap_B_per_object"] = static_cast<double>(keptBytes) / kObjects;
  state.counters["peak_RSS_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_LoadPlain(benchmark::State& state) { Load(state, false); }
void BM_LoadCompressed(benchmark::State& state) { Load(state, true); }

BENCHMARK(BM_LoadPlain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCompressed)->Unit(benchmark::kMillisecond);

#ifdef NDEBUG
constexpr int kTransactions = 10000;
#else
constexpr int kTransactions = 1000;
#endif
constexpr int kUndoDepth = 20; // the largest depth the engine allows

// The stored table with the most objects, and a plain Double field of it.
std::pair<int, int> UpdatedField(CTFactory& factory, CTMemDbEngine& engine)
{
  std::pair<int, int> best{-1, -1};
  int most = 0;
  for (int clsID = 0; clsID < factory.TableCount(); ++clsID) {
    const CTTableInfo* t = factory.GetTableInfo(clsID);
    if (!t || t->IsAbstract() || engine.CountObjects(clsID) <= most)
      continue;
    const CTFieldList& fields = t->GetFieldInfo();
    for (int ix = 1; ix < static_cast<int>(fields.size()); ++ix)
      if (fields[ix] && fields[ix]->GetType() == ftDouble && !fields[ix]->GetReferenceTo()) {
        best = {clsID, ix};
        most = engine.CountObjects(clsID);
        break;
      }
  }
  return best;
}

std::size_t HeapInUse() { return mallinfo2().uordblks; }

double MicrosecondsSince(std::chrono::steady_clock::time_point start, int nSteps)
{
  const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
  return nSteps > 0 ? spent.count() / nSteps : 0.0;
}

void BM_TransactionUpdateUndoRedo(benchmark::State& state)
{
  CTFactory factory;
  CTMemDbEngine::UseCompression(false);
  CTMemDbEngine engine(&factory, CTFactory::kLogicalName, "", false, CTFactory::kDbIx);
  CTMemoryStream bytes(CatalogueText(false));
  if (!engine.LoadFromStream(bytes)) {
    state.SkipWithError(engine.LastError().c_str());
    return;
  }
  const auto [clsID, fieldIx] = UpdatedField(factory, engine);
  const int objects = engine.CountObjects(clsID);
  CTMemDbEngine::SetMaxUndoDepth(kUndoDepth);
  std::unique_ptr<CTDbObject> obj(factory.CreateObject(clsID, 0));
  double stepUs = 0, undoUs = 0, redoUs = 0, layerBytes = 0;
  for (auto _ : state) {
    // A change outside a transaction folds what the last round left.
    obj->SetID(1);
    engine.DoRead(obj.get());
    engine.DoUpdate(obj.get());
    const std::size_t heapBefore = HeapInUse();
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kTransactions; ++i) {
      const int id = 1 + i % objects;
      obj->SetID(id);
      engine.DoRead(obj.get());
      obj->SetDoubleValue(fieldIx, obj->GetDoubleValue(fieldIx) + 1.0);
      engine.StartTransaction(i + 1, 1, true, clsID, id);
      engine.DoUpdate(obj.get());
      engine.EndTransaction();
    }
    stepUs = MicrosecondsSince(start, kTransactions);
    const int held = engine.UndoSteps();
    layerBytes = held > 0 ? static_cast<double>(HeapInUse() - heapBefore) / held : 0.0;

    start = std::chrono::steady_clock::now();
    int undone = 0;
    while (engine.Undo() != 0)
      ++undone;
    undoUs = MicrosecondsSince(start, undone);
    start = std::chrono::steady_clock::now();
    int redone = 0;
    while (engine.Redo() != 0)
      ++redone;
    redoUs = MicrosecondsSince(start, redone);
    if (undone != kUndoDepth || redone != kUndoDepth)
      state.SkipWithError("the stack did not hold the expected number of steps");
  }
  CTMemDbEngine::SetMaxUndoDepth(5);
  state.counters["objects"] = engine.CountObjects(clsID);
  state.counters["step_us"] = stepUs;
  state.counters["undo_us"] = undoUs;
  state.counters["redo_us"] = redoUs;
  state.counters["layer_bytes"] = layerBytes;
}

BENCHMARK(BM_TransactionUpdateUndoRedo)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace aw

BENCHMARK_MAIN();
