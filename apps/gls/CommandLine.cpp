#include "CommandLine.h"

namespace Glossmith::Tool {

TCommandLine::TCommandLine(const std::vector<String>& args,
                           std::initializer_list<TOptionSpec> options) {
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const String& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      FOperands.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    String name = arg, value;
    size_t eq = arg.find('=');
    bool inlineValue = arg.starts_with("--") && eq != String::npos;
    if (inlineValue) {
      name = arg.substr(0, eq);
      value = arg.substr(eq + 1);
    }
    const TOptionSpec* known = nullptr;
    for (const TOptionSpec& o : options)
      if (name == o.Name) known = &o;
    if (!known) throw EUsageError(Format("unknown option '%s'", {name}));
    if (known->TakesValue && !inlineValue) {
      if (i + 1 >= args.size()) throw EUsageError(Format("option %s needs a value", {name}));
      value = args[++i];
    } else if (!known->TakesValue && inlineValue) {
      throw EUsageError(Format("option %s takes no value", {name}));
    }
    FValues.emplace(name, value);
  }
}

bool TCommandLine::Has(const String& name) const { return FValues.count(name) > 0; }

String TCommandLine::Value(const String& name, const String& fallback) const {
  auto range = FValues.equal_range(name);
  if (range.first == range.second) return fallback;
  return std::prev(range.second)->second;
}

std::vector<String> TCommandLine::Values(const String& name) const {
  std::vector<String> values;
  auto range = FValues.equal_range(name);
  for (auto it = range.first; it != range.second; ++it) values.push_back(it->second);
  return values;
}

bool TCommandLine::IntValue(const String& name, Integer& value) const {
  if (!Has(name)) return false;
  if (!TryStrToInt(Value(name), value))
    throw EUsageError(Format("%s needs a number, not '%s'", {name, Value(name)}));
  return true;
}

}  // namespace Glossmith::Tool
