// airwright-cli lzss compress|expand: the catalogue's LZSS coding on any file.

#include "cli/Commands.h"

#include "foundation/FileStream.h"
#include "foundation/LZSS.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

namespace aw::cli {
namespace {

struct LzssOptions
{
  bool small = false;
  std::optional<std::string> signature;
  std::string input;
  std::string output;

  CTLZSSVariant Variant() const { return small ? CTLZSSVariant::SmallPhrase : CTLZSSVariant::Standard; }
};

// The output file, removed again unless Commit is reached: a failed run must not leave
// a file that looks complete.
class OutputFile
{
public:
  explicit OutputFile(const std::string& szPath) : v_path(szPath), v_stream(szPath, fmCreateExclusive) {}
  ~OutputFile()
  {
    if (v_committed)
      return;
    try {
      v_stream.Close();
    } catch (const CTStreamError&) {
    }
    std::error_code ignored;
    if (std::filesystem::is_regular_file(v_path, ignored))
      std::filesystem::remove(v_path, ignored);
  }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  CTStream& Stream() { return v_stream; }
  void Commit()
  {
    v_stream.Close();
    v_committed = true;
  }

private:
  std::string v_path;
  CTMyFileStream v_stream;
  bool v_committed = false;
};

std::uint64_t FileSize(const std::string& szPath)
{
  std::error_code ignored;
  auto size = std::filesystem::file_size(szPath, ignored);
  return ignored ? 0 : size;
}

void Compress(const LzssOptions& opt)
{
  CTMyFileStream in(opt.input, fmReadDenyWrite);
  OutputFile out(opt.output);
  std::uint64_t read = 0;
  {
    CTLZSSCompressorStream compressor(out.Stream(), opt.signature.value_or(""), opt.Variant());
    read = compressor.CopyFrom(in);
    compressor.Finish();
  }
  out.Commit();
  std::cout << "compressed " << read << " bytes into " << FileSize(opt.output) << " bytes\n";
}

void Expand(const LzssOptions& opt)
{
  CTMyFileStream in(opt.input, fmReadDenyWrite);
  OutputFile out(opt.output);
  std::uint64_t written = 0;
  bool compressed = true;
  if (opt.signature) {
    CTLZSSAutoExpandStream source(in, *opt.signature, opt.Variant());
    compressed = source.IsCompressed();
    written = out.Stream().CopyFrom(source);
  } else {
    CTLZSSExpanderStream source(in, opt.Variant());
    written = out.Stream().CopyFrom(source);
  }
  out.Commit();
  if (compressed)
    std::cout << "expanded " << FileSize(opt.input) << " bytes into " << written << " bytes\n";
  else
    std::cout << "no signature: copied " << written << " bytes of plain data\n";
}

void AddLzssSubcommand(CLI::App& parent, const char* szName, const char* szHelp, void (*run)(const LzssOptions&))
{
  auto opt = std::make_shared<LzssOptions>();
  auto* cmd = parent.add_subcommand(szName, szHelp);
  cmd->add_flag("--small", opt->small, "Uses the small-phrase parameters (8192-byte window, phrases of 2 to 9 bytes)");
  cmd->add_option("--signature", opt->signature,
                  "Plain text before the compressed data (the catalogue uses Q7R); on expand, input without it is "
                  "taken as plain data");
  cmd->add_option("IN", opt->input, "Input file")->required();
  cmd->add_option("OUT", opt->output, "Output file")->required();
  cmd->callback([opt, run] {
    try {
      run(*opt);
    } catch (const CTStreamError& e) {
      // Errors of the coded data itself name no file; they concern the input.
      throw CommandError(e.FileName().empty() ? opt->input + ": " + e.what() : e.what());
    }
  });
}

} // namespace

void AddLzssCommand(CLI::App& app)
{
  auto* lzss = app.add_subcommand("lzss", "LZSS compression as used for the device catalogue");
  lzss->require_subcommand(1);
  AddLzssSubcommand(*lzss, "compress", "Compresses IN into OUT", Compress);
  AddLzssSubcommand(*lzss, "expand", "Expands IN into OUT", Expand);
}

} // namespace aw::cli
