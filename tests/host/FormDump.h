// A canonical dump of a component tree for tests: classes, names, parents,
// and every property value in GetPropList order, read through the property
// API alone, so that it does not share the writer's view of a form.
#pragma once

#include "host/classes/Classes.h"
#include "host/controls/Controls.h"
#include "host/formfiles/FormText.h"
#include "host/classes/Generic.h"

namespace testsupport {

namespace formdump {

inline void DumpProps(String& out, const TObject* obj, const String& indent);

inline void DumpValue(String& out, const TObject* obj, PPropInfo p, const String& indent) {
  switch (p->Kind()) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkInt64:
      out += IntToStr(GetOrdProp(obj, p));
      break;
    case tkEnumeration:
      out += GetEnumName(p->PropType, static_cast<int>(GetOrdProp(obj, p)));
      break;
    case tkSet:
      out += SetToString(p->PropType, GetOrdProp(obj, p));
      break;
    case tkFloat:
      out += FloatToStr(GetFloatProp(obj, p));
      break;
    case tkString:
    case tkLString:
    case tkWString:
      out += "'" + GetStrProp(obj, p) + "'";
      break;
    case tkMethod:
      out += "@" + GetMethodProp(obj, p);
      break;
    case tkClass: {
      TObject* value = GetObjectProp(obj, p);
      if (!value) {
        out += "nil";
      } else if (auto* c = dynamic_cast<TComponent*>(value)) {
        out += "->" + (c->Owner() ? c->Owner()->Name() + "." : String()) + c->Name();
      } else if (auto* coll = dynamic_cast<TCollection*>(value)) {
        out += "<" + IntToStr(coll->Count()) + ">\n";
        for (int i = 0; i < coll->Count(); ++i) {
          out += indent + "  item " + coll->Items(i)->ClassName() + "\n";
          DumpProps(out, coll->Items(i), indent + "    ");
        }
        return;
      } else {
        out += value->ClassName() + "\n";
        if (auto* strings = dynamic_cast<TStrings*>(value))
          for (int i = 0; i < strings->Count(); ++i)
            out += indent + "  | " + strings->Strings(i) + "\n";
        DumpProps(out, value, indent + "  ");
        return;
      }
      break;
    }
    default:
      if (p->IsDynamic) WriteFormValueText(out, DynamicValueOf(obj, p), 0);
      break;
  }
  out += "\n";
}

inline void DumpProps(String& out, const TObject* obj, const String& indent) {
  for (PPropInfo p : GetPropList(obj)) {
    if (p->Name == "Name") continue;
    out += indent + p->Name + (p->IsDynamic ? "~ = " : " = ");
    DumpValue(out, obj, p, indent);
  }
}

inline void DumpComponent(String& out, const TComponent* c) {
  const TComponent* parent = c->GetParentComponent();
  if (!parent) parent = c->StreamParent();
  out += "component " + c->Name() + ": " + c->ClassName() + " parent " +
         (parent ? parent->Name() : String("-")) + " flags " + IntToStr(c->FilerFlags().Inherited) +
         IntToStr(c->FilerFlags().Inline) + " " + IntToStr(c->FilerFlags().ChildPos) + "\n";
  DumpProps(out, c, "  ");
  for (int i = 0; i < c->ComponentCount(); ++i) DumpComponent(out, c->Components(i));
}

}  // namespace formdump

inline String DumpForm(const TComponent* root) {
  String out;
  formdump::DumpComponent(out, root);
  return out;
}

}  // namespace testsupport
