#pragma once
// The sample document every writer is checked with: a title, numbered
// headings, text with characters that need escaping, a bordered table with
// spans, a picture, a header, a footer with the page number and a page
// break right after a table, so that it fills two pages.

#include "docs/DocOutput.h"

#include <memory>

namespace aw::docs {

inline constexpr const char* kSampleSpecialText = "é ł 日本 ✔ { } \\";
inline constexpr const char* kSamplePageCaption = "Page $1";

// Page setup and decorations first, then the flow.
void WriteSampleDocument(CTDocOutput& output, std::shared_ptr<const CTDocPicture> picture);

} // namespace aw::docs
