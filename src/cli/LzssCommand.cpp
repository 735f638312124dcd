// airwright-cli lzss compress|expand: the catalogue's LZSS coding on any file.

#include "cli/Commands.h"

#include "foundation/FileStream.h"
#include "foundation/LZSS.h"
#include "foundation/StreamIO.h"
#include "platform/AtomicFile.h"

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

// The output is made in memory and replaces OUT in one step (a temporary
// file renamed over it), so that a failed or killed run leaves OUT as it was.
void WriteOutput(const std::string& szPath, const CTMemoryStream& data)
{
  const std::filesystem::path path(szPath);
  std::error_code ec;
  if (path.has_parent_path() && !std::filesystem::is_directory(path.parent_path(), ec))
    throw CommandError("Unable to create file " + szPath + ": there is no folder " + path.parent_path().string());
  std::string error;
  if (!platform::WriteFileAtomically(path, data.Text(), error))
    throw CommandError(error);
}

void Compress(const LzssOptions& opt)
{
  CTMyFileStream in(opt.input, fmReadDenyWrite);
  CTMemoryStream out;
  std::uint64_t read = 0;
  {
    CTLZSSCompressorStream compressor(out, opt.signature.value_or(""), opt.Variant());
    read = compressor.CopyFrom(in);
    compressor.Finish();
  }
  WriteOutput(opt.output, out);
  std::cout << "compressed " << read << " bytes into " << out.Bytes().size() << " bytes\n";
}

void Expand(const LzssOptions& opt)
{
  CTMyFileStream in(opt.input, fmReadDenyWrite);
  CTMemoryStream out;
  std::uint64_t written = 0;
  bool compressed = true;
  if (opt.signature) {
    CTLZSSAutoExpandStream source(in, *opt.signature, opt.Variant());
    compressed = source.IsCompressed();
    written = out.CopyFrom(source);
  } else {
    CTLZSSExpanderStream source(in, opt.Variant());
    written = out.CopyFrom(source);
  }
  const std::int64_t inputBytes = in.Size();
  WriteOutput(opt.output, out);
  if (compressed)
    std::cout << "expanded " << inputBytes << " bytes into " << written << " bytes\n";
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
