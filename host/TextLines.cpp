#include "host/TextLines.h"

#include "host/Streams.h"

void TTextLines::LoadFromFile(const String& fileName) { SetText(ReadFileToString(fileName)); }

void TTextLines::SetText(String text) {
  FText = std::move(text);
  FLines.clear();
  FLines.reserve(CountLines(FText));
  ForEachLine(FText, [this](std::string_view line) { FLines.push_back(line); });
}
