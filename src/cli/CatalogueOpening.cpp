// How the subcommands open the catalogue: one place, so that every command
// refuses the same catalogues with the same one-line message.

#include "cli/Commands.h"

#include <iostream>

namespace aw::cli {

CTCatalogueSource CommonOptions::CatalogueSource() const
{
  return catalogueFile.empty() ? CTCatalogueSource::Embedded() : CTCatalogueSource::File(catalogueFile);
}

void WarnAboutLeftOut(const CTCatalogueSession& session)
{
  if (session.ReadReport().ChangedAnything())
    std::cerr << "airwright-cli: warning: " << session.Source().DisplayName() << ": "
              << CTCatalogueSession::DescribeLeftOut(session.ReadReport()) << '\n';
}

std::unique_ptr<CTCatalogueSession> LoadCatalogue(const CTCatalogueSource& source,
                                                  const CTCatalogueLoadOptions& options)
{
  auto session = std::make_unique<CTCatalogueSession>(source, options);
  if (!session->Connect())
    throw CommandError(session->LastError());
  return session;
}

std::unique_ptr<CTCatalogueSession> OpenProgramCatalogue(const CommonOptions& common,
                                                         std::unique_ptr<CTFactory> pFactory)
{
  auto session =
    std::make_unique<CTCatalogueSession>(common.CatalogueSource(), CTCatalogueLoadOptions{}, std::move(pFactory));
  if (!session->Open())
    throw CommandError(session->LastError());
  WarnAboutLeftOut(*session);
  return session;
}

} // namespace aw::cli
