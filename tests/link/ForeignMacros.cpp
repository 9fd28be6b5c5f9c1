// A C header (curses, for one) defines these before the library's headers
// are included; every public header must still compile, and the program's
// own macros must be as they were afterwards.
#define TRUE 1
#define FALSE 0
#define ERR (-1)
#define OK (0)
#define BOOL int

#include "AllHeaders.h"

static_assert(TRUE == 1 && FALSE == 0 && ERR == -1 && OK == 0, "the program's macros stay");

// Names are visible unqualified by default.
bool QualifiedNamesWork();

int main() {
  TStringList list;
  list.Add("b");
  BOOL seen = list.Count() == 1 ? TRUE : FALSE;
  return seen == TRUE && QualifiedNamesWork() ? 0 : 1;
}
