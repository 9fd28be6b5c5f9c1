#include "host/classes/FormTree.h"

#include <cmath>

namespace Glossmith::inline Classes {

bool TFormValue::operator==(const TFormValue& other) const {
  if (Kind != other.Kind) return false;
  switch (Kind) {
    case TFormValueKind::Integer:
      return Int == other.Int;
    case TFormValueKind::Float:
      return (Float == other.Float || (std::isnan(Float) && std::isnan(other.Float))) &&
             FloatType == other.FloatType;
    case TFormValueKind::String:
    case TFormValueKind::Binary:
      return Text == other.Text;
    case TFormValueKind::Ident:
      return SameText(Text, other.Text);
    case TFormValueKind::Set:
      return Names == other.Names;
    case TFormValueKind::List:
      return Items == other.Items;
    case TFormValueKind::Collection:
      return CollectionItems == other.CollectionItems;
    case TFormValueKind::Null:
      return true;
  }
  return false;
}

bool TFormItem::operator==(const TFormItem& other) const { return Properties == other.Properties; }

}  // namespace Glossmith::inline Classes
