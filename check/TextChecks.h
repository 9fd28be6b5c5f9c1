// The checks that need only an original text and its translation, as the
// peers' checkers make them: accelerators, placeholders, whitespace, line
// breaks, ending punctuation, doubled spaces, unchanged texts. Texts are
// plain (decoded from their literal form), UTF-8.
#pragma once

#include <optional>
#include <vector>

#include "host/rtl/SysUtils.h"

namespace Glossmith::inline Check {

// The accelerator marks of a caption: each "&" that marks the character
// after it; "&&" is a literal ampersand and a trailing "&" marks nothing.
struct TAccelerators {
  int Count = 0;
  // The key of the first mark: the marked character, upper case (0: none).
  uint32_t Key = 0;
};
TAccelerators AcceleratorsOf(std::string_view caption);
// The key as a person presses it ("S", "É").
String KeyName(uint32_t key);
// The caption as it shows: accelerator marks removed, "&&" as "&".
String StripAccelerators(std::string_view caption);

// The format placeholders of a text, sorted: printf's (%s, %5.2f, %ld), the
// host's Format specifiers (%d, %0:s, %-8.3n, %*d) and numbered ones (%1).
// "%%" is a literal percent sign and no placeholder.
std::vector<String> PlaceholdersOf(std::string_view text);
// The length of the placeholder at the start of `text` (0: none there).
size_t PlaceholderLength(std::string_view text);

bool HasLetters(std::string_view text);
int LineBreaksOf(std::string_view text);

// A finding of a text check: the check's name and the message.
struct TTextFinding {
  const char* Check;
  String Message;
};

// Runs the text checks on one translated text. `caption` says whether the
// text is a caption, where "&" marks an accelerator.
void CheckTexts(std::string_view original, std::string_view translation, bool caption,
                std::vector<TTextFinding>& findings);

}  // namespace Glossmith::inline Check
