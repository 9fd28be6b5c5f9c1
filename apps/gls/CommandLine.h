// The command line of one gls command: its operands and options.
#pragma once

#include <map>
#include <set>
#include <vector>

#include "host/rtl/SysUtils.h"

namespace Glossmith::Tool {

// A command-line mistake: the usage is printed and the exit status is 2.
class EUsageError : public Exception {
 public:
  using Exception::Exception;
};

struct TOptionSpec {
  const char* Name;  // "--locale", "-o"
  bool TakesValue;
};

class TCommandLine {
 public:
  // Parses args against the options the command accepts. "--name=value" and
  // "--name value" both work; "--" ends the options.
  TCommandLine(const std::vector<String>& args, std::initializer_list<TOptionSpec> options);

  const std::vector<String>& Operands() const { return FOperands; }
  bool Has(const String& name) const;
  // The option's value; the last one when it is given several times.
  String Value(const String& name, const String& fallback = String()) const;
  std::vector<String> Values(const String& name) const;
  // The option's value as an integer; raises EUsageError on bad text.
  bool IntValue(const String& name, Integer& value) const;

 private:
  std::vector<String> FOperands;
  std::multimap<String, String> FValues;
};

}  // namespace Glossmith::Tool
