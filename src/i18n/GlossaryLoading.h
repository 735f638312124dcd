#pragma once
// Where the program's two glossaries come from and how they take effect.
// The interface glossary is read from a file beside the program (a
// translator's file wins), else from the resource "UIGlossaryXML.<code>" of
// the chosen language ("UIGlossaryXML.de"); the catalogue glossary from the
// resource "CentralGlossary.<code>". A glossary that cannot be read as a whole
// is not used at all: the program stays English and the message names the
// file or resource and the place of the fault.

#include "i18n/UnicodeGlossary.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace aw::i18n {

inline constexpr std::string_view kInterfaceGlossaryResource = "UIGlossaryXML";
inline constexpr std::string_view kCatalogueGlossaryResource = "CentralGlossary";

// The language of the interface: English (1033) until a glossary is in effect.
std::uint32_t InterfaceLanguage();
void SetInterfaceLanguage(std::uint32_t nLanguageId);

// "UIGlossaryXML.de": the resource of a glossary in a language (by its ISO code).
std::string GlossaryResourceName(std::string_view szBaseName, std::uint32_t nLanguageId);

struct GlossaryLoad
{
  std::unique_ptr<CTUnicodeGlossary> glossary; // none when there is none or it failed
  std::string szError;                         // why it failed; empty when there was just none
};

// The glossary of a resource; an empty or missing resource gives none without error.
GlossaryLoad LoadGlossaryResource(std::string_view szName);
// The interface glossary: the file when it exists, else the language's resource.
GlossaryLoad LoadInterfaceGlossary(std::uint32_t nLanguageId, const std::filesystem::path& besideProgram);
GlossaryLoad LoadCatalogueGlossary(std::uint32_t nLanguageId);

// Makes the glossary translate every numbered message (also those the
// catalogue shows) and its language the interface language; none restores English.
// The glossary must live until it is replaced.
void UseInterfaceGlossary(const CTUnicodeGlossary* pGlossary);

} // namespace aw::i18n
