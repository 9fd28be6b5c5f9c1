// With GLS_NO_IMPLICIT_NAMESPACE_USE the library's names stay in their
// namespaces, and every header still compiles on its own names.
#define GLS_NO_IMPLICIT_NAMESPACE_USE
#define TRUE 1
#define BOOL int

#include "AllHeaders.h"

// The program's own names, which would clash with the library's if they
// were brought in.
struct TForm {};
int Format = 0;

bool QualifiedNamesWork() {
  Glossmith::TStringList list;
  list.Add("a");
  Glossmith::Windows::UINT codePage = Glossmith::Windows::GetACP();
  TForm mine;
  (void)mine;
  return list.Count() == 1 && codePage == 65001 && Format == 0 &&
         Glossmith::Format("%d", {1}) == "1";
}
