#include "host/TextLines.h"

#include "host/Streams.h"

void TTextLines::LoadFromFile(const String& fileName) { SetText(ReadFileToString(fileName)); }

void TTextLines::SetText(String text) {
  FText = std::move(text);
  FLines.clear();
  size_t ends = 0;
  for (char c : FText) ends += c == '\n' || c == '\r';
  FLines.reserve(ends + 1);
  ForEachLine(FText, [this](std::string_view line) { FLines.push_back(line); });
}
