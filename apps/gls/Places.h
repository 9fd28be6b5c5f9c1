// Where a translation entry that failed came from: the line of a translation
// file, a dictionary or a form file that holds it, so that an error can name
// the file and the line. Each search runs only once something has failed, so
// the bulk file operations pay nothing for it.
#pragma once

#include <optional>
#include <string_view>

#include "host/classes/FormTree.h"

namespace Glossmith::Tool {

// A line of a text file, numbered from 1 as editors number them: a carriage
// return, a line feed or the pair ends a line.
struct TPlace {
  String File;
  int Line = 0;
};

// The last line of a translation file that gives the translator of form
// `formName` and `locale` the entry `entry` (path "=" value), taken apart as
// loading takes it apart.
std::optional<TPlace> FindTranslationLine(const String& file, std::string_view formName,
                                          Integer locale, std::string_view entry);

// The line of form `formName` in a translation file whose locale is no
// number: the first one (as loading meets it) or the last one (as saving
// meets it). `text` receives the line.
std::optional<TPlace> FindBadLocaleLine(const String& file, std::string_view formName, bool last,
                                        String& text);

// The last dictionary line whose original text is `original` and whose
// translation, plain or in literal form, is `value`.
std::optional<TPlace> FindDictionaryLine(const String& file, std::string_view original,
                                         std::string_view value);

// The line of a form file where the object `translator` of its tree lists
// `entry` among its Translations.
std::optional<int> FindFormEntryLine(const TFormObject& translator, std::string_view entry);

// "FILE, line N: path=value: error", the entry shortened when it is long.
String PlacedMessage(const TPlace& place, std::string_view entry, const String& error);
// The message of an error without the place an EFileLineError puts before
// it, for a message that places it itself.
String ReasonOf(const Exception& error);

// An entry cut to a length a message can show, on a character boundary.
String Shortened(std::string_view entry);

}  // namespace Glossmith::Tool
