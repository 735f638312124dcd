#include "cli/Commands.h"

#include "docs/DocumentFile.h"
#include "docs/RTFOutput.h"
#include "docs/SampleDocument.h"
#include "i18n/BaseMsgMan.h"
#include "render/PdfOutput.h"
#include "render/PdfSampleFigure.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <memory>

namespace aw::cli {
namespace {

std::string LowerExtension(const std::filesystem::path& file)
{
  std::string ext = file.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return ext;
}

// The sample document in the format the file's extension names.
std::string WriteSample(const std::string& szExtension)
{
  render::EnsureGuiApplication();
  const auto figure = std::make_shared<render::CTSampleFigure>();
  if (szExtension == ".rtf") {
    docs::CTRTFOutput rtf;
    docs::WriteSampleDocument(rtf, figure);
    return rtf.Finish();
  }
  render::CTPdfOutput pdf;
  docs::WriteSampleDocument(pdf, figure);
  return pdf.Finish();
}

} // namespace

CommandError SaveFailure(const docs::CTDocWriteError& error)
{
  return CommandError(i18n::GetUnicodeString(error.nMsgNo, {error.szFileName}) + " (" + error.szReason + ")");
}

void AddDocumentCommand(CLI::App& app)
{
  auto* cmd = app.add_subcommand("document", "Writes documents");
  cmd->require_subcommand(1);
  auto* sample = cmd->add_subcommand("sample", "Writes the sample document (two pages with headings, a table, a picture, header and footer)");
  auto out = std::make_shared<std::string>();
  sample->add_option("--out", *out, "The file to write: .rtf or .pdf")->required();
  sample->callback([out] {
    const std::filesystem::path file(*out);
    const std::string ext = LowerExtension(file);
    if (ext != ".rtf" && ext != ".pdf") throw CommandError(*out + ": the file name must end in .rtf or .pdf");
    const std::string bytes = WriteSample(ext);
    if (bytes.empty()) throw CommandError(*out + ": the document could not be made");
    if (const auto error = docs::SaveDocumentFile(file, bytes))
      throw SaveFailure(*error);
    std::cout << file.string() << '\n';
  });
}

} // namespace aw::cli
