// The text form of property values, and applying a line of the active list to
// one property.
#include "gls/Gls.h"
#include "host/controls/Graphics.h"

namespace Glossmith::inline Gls {

namespace {

// Colours are recognised by the property's own name, so that Font.Color is one
// and FocusColor is not.
bool IsColorProp(PPropInfo prop) { return prop->Name == "Color"; }

}  // namespace

String TGlossmith::GetProp(TObject* Obj, PPropInfo PropInfo) {
  switch (PropInfo->Kind()) {
    case tkString:
    case tkLString:
    case tkWString:
    case tkWChar: {
      String text = GetStrProp(Obj, PropInfo);
      ConvertToLiterals(text);
      return text;
    }
    case tkChar:
      return String(1, static_cast<char>(GetOrdProp(Obj, PropInfo)));
    case tkInteger: {
      const auto value = static_cast<Integer>(GetOrdProp(Obj, PropInfo));
      String ident;
      if (IsColorProp(PropInfo) && ColorToIdent(value, ident)) return ident;
      return IntToStr(value);
    }
    case tkFloat:
      return FloatToStr(GetFloatProp(Obj, PropInfo));
    case tkEnumeration:
      return GetEnumName(PropInfo->PropType, static_cast<int>(GetOrdProp(Obj, PropInfo)));
    case tkSet:
      // The bit mask as the classic 32-bit ordinal, sign included.
      return IntToStr(static_cast<Integer>(GetOrdProp(Obj, PropInfo)));
    default:
      return String();
  }
}

bool TGlossmith::TranslateProp(TObject* Obj, PPropInfo PropInfo, int Index) {
  if (!FActiveList) return false;
  bool skip = false;
  if (OnTranslateProperty) OnTranslateProperty(this, String(), PropInfo, FActiveList, skip);
  if (skip) return false;

  const String line = FActiveList->Get(Index);
  try {
    return ApplyLine(Obj, PropInfo, Index, line);
  } catch (const EConvertError& e) {
    // The error says which entry failed; the walk still ends with it.
    throw ETranslationEntryError(e.Message(), line, Name());
  }
}

bool TGlossmith::ApplyLine(TObject* Obj, PPropInfo PropInfo, int Index, const String& Line) {
  const size_t eq = Line.find('=');
  const std::string_view raw = std::string_view(Line).substr(eq + 1, MaxAppliedValueLength);
  const TTypeKind kind = PropInfo->Kind();
  String decoded(raw);
  if (kind == tkChar) {
    // A character property holding "#" reads as that lone "#", which is no
    // literal; it must still apply, so only the emptiness test needs decoding.
    try {
      ConvertFromLiterals(decoded);
    } catch (const EConvertError&) {
      decoded = raw;
    }
  } else {
    ConvertFromLiterals(decoded);
  }

  // The value is recorded before it is known whether anything is written, so
  // that a restore has a line for every property the walk touched.
  if (!FIsTranslated)
    RecordOriginal(Line.substr(0, eq + 1) + GetProp(Obj, PropInfo), FActiveList->Objects(Index));

  if (decoded.empty() && !ApplyEmpty()) return true;
  switch (kind) {
    case tkString:
    case tkLString:
    case tkWString:
    case tkWChar:
      SetStrProp(Obj, PropInfo, decoded);
      return true;
    case tkChar:
      SetOrdProp(Obj, PropInfo, raw.empty() ? 0 : static_cast<unsigned char>(raw.front()));
      return true;
    case tkInteger: {
      Integer value = 0;
      if (IsColorProp(PropInfo)) {
        if (!IdentToColor(raw, value)) value = StrToInt(raw);
      } else if (!raw.empty()) {
        value = StrToInt(raw);
      }
      SetOrdProp(Obj, PropInfo, value);
      return true;
    }
    case tkFloat:
      SetFloatProp(Obj, PropInfo, StrToFloat(raw));
      return true;
    case tkEnumeration: {
      // A name the type lacks leaves the value alone: writing -1 would put an
      // ordinal outside the enumeration into the property (and make a
      // Boolean True).
      const int value = GetEnumValue(PropInfo->PropType, raw);
      if (value >= 0) SetOrdProp(Obj, PropInfo, value);
      return true;
    }
    case tkSet:
      SetOrdProp(Obj, PropInfo, static_cast<uint32_t>(StrToInt(raw)));
      return true;
    default:
      return false;
  }
}

}  // namespace Glossmith::inline Gls
