#include <gtest/gtest.h>

#include "host/classes/Classes.h"
#include "host/controls/Graphics.h"
#include "host/controls/StdCtrls.h"
#include "host/rtl/TypInfo.h"

namespace {
enum TDirection : uint8_t { drNorth, drEast, drSouth, drWest };
using TDirections = TSet<TDirection>;
GLS_ENUM_TYPEINFO(TDirection, "drNorth", "drEast", "drSouth", "drWest")
GLS_SET_TYPEINFO(TDirections, TDirection)

PTypeInfo ShortStringType() {
  static const PTypeInfo t = MakeTypeInfo(tkString, "ShortString");
  return t;
}
PTypeInfo WideStringType() {
  static const PTypeInfo t = MakeTypeInfo(tkWString, "WideString");
  return t;
}
PTypeInfo WideCharType() {
  static const PTypeInfo t = MakeTypeInfo(tkWChar, "WideChar");
  return t;
}

// One published property of every kind the host supports.
class TSample : public TComponent {
  GLS_CLASS(TSample, TComponent)
 public:
  using TComponent::TComponent;
  static void Publish(TPublisher<TSample>& P) {
    P.Str("Caption", &TSample::Caption, &TSample::SetCaption);
    P.StrOf("Short", ShortStringType(), &TSample::FShort);
    P.StrOf("Wide", WideStringType(), &TSample::FWide);
    P.Char("Accel", &TSample::FAccel).Default('A');
    P.IntOf("WideAccel", WideCharType(), &TSample::FWideAccel);
    P.Int("Count", &TSample::FCount).Default(3);
    P.Enum("Direction", &TSample::FDirection).Default(drNorth);
    P.Bool("Enabled", &TSample::FEnabled).Default(1).Stored(&TSample::EnabledStored);
    P.Set("Directions", &TSample::FDirections).Default(0);
    P.Float("Ratio", &TSample::FRatio);
    P.IntOf("Color", TColorTypeInfo(), &TSample::FColor).Default(clWindow);
    P.Obj("Font", &TSample::FFont);
    P.Obj("Buddy", &TSample::FBuddy);
    P.Int64Prop("Big", &TSample::FBig);
    P.Int("ReadOnly", &TSample::ReadOnly, nullptr);
    P.Event("OnPing", &TSample::OnPing);
    P.Method<void(TObject*)>("SamplePing", &TSample::SamplePing);
  }
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& v) { FCaption = v + "!"; }
  bool EnabledStored() const { return FCount != 0; }
  Integer ReadOnly() const { return 42; }
  void SamplePing(TObject*) { ++Pings; }

  String FCaption, FShort, FWide;
  char FAccel = 'A';
  Integer FWideAccel = 0;
  Integer FCount = 3;
  TDirection FDirection = drNorth;
  bool FEnabled = true;
  TDirections FDirections;
  double FRatio = 0;
  TColor FColor = clWindow;
  TFont FFont;
  TComponent* FBuddy = nullptr;
  Int64 FBig = 0;
  TNotifyEvent OnPing;
  int Pings = 0;
};
GLS_IMPLEMENT_CLASS(TSample)

// Redeclares an inherited property: it keeps the ancestor's place.
class TSampleChild : public TSample {
  GLS_CLASS(TSampleChild, TSample)
 public:
  using TSample::TSample;
  static void Publish(TPublisher<TSampleChild>& P) {
    P.Int("Count", &TSampleChild::FCount).Default(7);
    P.Str("Extra", &TSampleChild::FExtra);
  }
  String FExtra;
};
GLS_IMPLEMENT_CLASS(TSampleChild)

std::vector<String> Names(const TPropList& list) {
  std::vector<String> names;
  for (PPropInfo p : list) names.push_back(p->Name);
  return names;
}

TEST(TypInfoTest, EveryKindIsReadAndWrittenThroughTheFlatApi) {
  TSample s(nullptr);
  SetStrProp(&s, "Caption", "Hi");
  EXPECT_EQ(GetStrProp(&s, "caption"), "Hi!") << "written through the setter, names ignore case";
  SetStrProp(&s, "Short", "short");
  SetStrProp(&s, "Wide", "wide");
  EXPECT_EQ(s.FShort + s.FWide, "shortwide");
  SetOrdProp(&s, "Accel", 'x');
  EXPECT_EQ(GetOrdProp(&s, "Accel"), 'x');
  SetOrdProp(&s, "WideAccel", 0x263A);
  EXPECT_EQ(GetOrdProp(&s, "WideAccel"), 0x263A);
  SetOrdProp(&s, "Count", -5);
  EXPECT_EQ(s.FCount, -5);
  SetOrdProp(&s, "Direction", drWest);
  EXPECT_EQ(s.FDirection, drWest);
  SetOrdProp(&s, "Enabled", 0);
  EXPECT_FALSE(s.FEnabled);
  SetOrdProp(&s, "Directions", TDirections{drEast, drWest}.Mask());
  EXPECT_TRUE(s.FDirections.Contains(drWest));
  EXPECT_EQ(GetOrdProp(&s, "Directions"), 0b1010);
  SetFloatProp(&s, "Ratio", 0.25);
  EXPECT_EQ(GetFloatProp(&s, "Ratio"), 0.25);
  SetOrdProp(&s, "Color", clRed);
  EXPECT_EQ(GetOrdProp(&s, "Color"), 255);
  SetOrdProp(&s, "Big", INT64_MIN + 1);
  EXPECT_EQ(GetOrdProp(&s, "Big"), INT64_MIN + 1);
  EXPECT_EQ(GetOrdProp(&s, "ReadOnly"), 42);

  // Object properties: an owned sub-object takes the contents of the value;
  // a reference takes the object itself, also through the ordinal form.
  TFont font;
  font.SetName("Arial");
  PPropInfo fontProp = GetPropInfo(&s, "Font");
  SetObjectProp(&s, fontProp, &font);
  EXPECT_EQ(s.FFont.Name(), "Arial");
  EXPECT_EQ(GetObjectProp(&s, fontProp), &s.FFont);
  TComponent buddy(nullptr);
  SetOrdProp(&s, "Buddy", static_cast<Int64>(reinterpret_cast<intptr_t>(&buddy)));
  EXPECT_EQ(s.FBuddy, &buddy);
  EXPECT_EQ(GetOrdProp(&s, "Buddy"), static_cast<Int64>(reinterpret_cast<intptr_t>(&buddy)));

  // Events: the handler's name, and binding a method registered by name.
  PPropInfo ping = GetPropInfo(&s, "OnPing");
  SetMethodProp(&s, ping, "SamplePing");
  EXPECT_EQ(GetMethodProp(&s, ping), "SamplePing");
  const TMethodFactory* method = s.ClassType().FindMethod("SamplePing");
  ASSERT_NE(method, nullptr);
  EXPECT_TRUE(ping->BindMethod(&s, (*method)(&s)));
  s.OnPing(&s);
  EXPECT_EQ(s.Pings, 1);
  EXPECT_FALSE(ping->BindMethod(&s, std::any(42))) << "a handler of another signature";
}

TEST(TypInfoTest, WrongAccessRaisesPropertyErrors) {
  TSample s(nullptr);
  EXPECT_THROW(GetStrProp(&s, "NoSuchThing"), EPropertyError);
  EXPECT_THROW(SetOrdProp(&s, "ReadOnly", 1), EPropertyError);
  EXPECT_THROW(GetFloatProp(&s, "Caption"), EPropertyError);
  EXPECT_THROW(GetStrProp(&s, "Count"), EPropertyError);
  EXPECT_EQ(s.FCount, 3);
}

TEST(TypInfoTest, PropertyListsKeepDeclarationOrderAndFilterByKind) {
  TSample s(nullptr);
  const std::vector<String> all = {"Name",       "Tag",       "Caption", "Short",     "Wide",
                                   "Accel",      "WideAccel", "Count",   "Direction", "Enabled",
                                   "Directions", "Ratio",     "Color",   "Font",      "Buddy",
                                   "Big",        "ReadOnly",  "OnPing"};
  EXPECT_EQ(Names(GetPropList(&s)), all);
  EXPECT_EQ(GetPropCount(&s), static_cast<int>(all.size()));
  const TTypeKinds texts = KindBit(tkString) | KindBit(tkLString) | KindBit(tkWString);
  EXPECT_EQ(Names(GetPropList(&s, texts)),
            (std::vector<String>{"Name", "Caption", "Short", "Wide"}));
  EXPECT_EQ(Names(GetPropList(&s, KindBit(tkEnumeration) | KindBit(tkSet))),
            (std::vector<String>{"Direction", "Enabled", "Directions"}));
  EXPECT_EQ(Names(GetPropList(&s, tkMethods)), std::vector<String>{"OnPing"});
  EXPECT_EQ(GetPropCount(&s, tkProperties), static_cast<int>(all.size()) - 1);
  EXPECT_EQ(Names(GetPropList(&s, KindBit(tkInt64) | KindBit(tkFloat) | KindBit(tkClass))),
            (std::vector<String>{"Ratio", "Font", "Buddy", "Big"}));
  EXPECT_TRUE(GetPropList(&s, KindBit(tkVariant)).empty());
  EXPECT_TRUE(GetPropList(nullptr).empty());

  TSampleChild child(nullptr);
  std::vector<String> childNames = all;
  childNames.push_back("Extra");
  EXPECT_EQ(Names(GetPropList(&child)), childNames);
  EXPECT_EQ(GetPropInfo(&child, "Count")->Default, 7);
  EXPECT_EQ(GetPropInfo(&s, "Count")->Default, 3) << "the ancestor keeps its own declaration";

  // Values a class does not declare follow the declared ones.
  auto extra = std::make_unique<TPropInfo>();
  extra->Name = "Unknown";
  extra->PropType = TypeInfoOf<String>();
  s.AddDynamicProperty(std::move(extra));
  EXPECT_EQ(Names(GetPropList(&s, texts)).back(), "Unknown");
  EXPECT_EQ(GetPropInfo(&s, "unknown")->Name, "Unknown");
  EXPECT_EQ(GetPropList(&child, texts).size(), 5u) << "kept per object, not per class";
}

TEST(TypInfoTest, EnumerationAndSetNames) {
  PTypeInfo dir = TypeInfoOf<TDirection>();
  EXPECT_EQ(dir->Kind, tkEnumeration);
  EXPECT_EQ(GetEnumName(dir, drSouth), "drSouth");
  EXPECT_EQ(GetEnumName(dir, 4), "");
  EXPECT_EQ(GetEnumName(dir, -1), "");
  EXPECT_EQ(GetEnumValue(dir, "drEast"), 1);
  EXPECT_EQ(GetEnumValue(dir, "DREAST"), 1);
  EXPECT_EQ(GetEnumValue(dir, "drUp"), -1);
  EXPECT_EQ(GetEnumValue(dir, ""), -1);
  PTypeInfo boolean = TypeInfoOf<bool>();
  EXPECT_EQ(GetEnumName(boolean, 1), "True");
  EXPECT_EQ(GetEnumValue(boolean, "false"), 0);
  EXPECT_EQ(boolean->MaxValue(), 1);

  PTypeInfo dirs = TypeInfoOf<TDirections>();
  EXPECT_EQ(SetToString(dirs, 0b0101), "[drNorth,drSouth]");
  EXPECT_EQ(SetToString(dirs, 0), "[]");
  EXPECT_EQ(SetToString(dirs, 0b11, false), "drNorth,drEast");
  EXPECT_EQ(StringToSet(dirs, "[drWest, drnorth]"), 0b1001);
  EXPECT_EQ(StringToSet(dirs, "[]"), 0);
  EXPECT_THROW(StringToSet(dirs, "[drUp]"), EConvertError);
}

TEST(TypInfoTest, StoredSpecifiersAndDefaults) {
  TSample s(nullptr);
  auto isDefault = [&](const char* name) { return IsDefaultPropValue(&s, GetPropInfo(&s, name)); };
  EXPECT_TRUE(isDefault("Count"));
  EXPECT_TRUE(isDefault("Direction"));
  EXPECT_TRUE(isDefault("Enabled"));
  EXPECT_TRUE(isDefault("Directions"));
  EXPECT_TRUE(isDefault("Accel"));
  EXPECT_TRUE(isDefault("Color"));
  EXPECT_TRUE(isDefault("Caption")) << "an empty text is the default";
  EXPECT_TRUE(isDefault("Ratio"));
  EXPECT_TRUE(isDefault("OnPing"));
  EXPECT_FALSE(isDefault("WideAccel")) << "no default declared: always written";
  s.FCount = 4;
  s.FDirection = drEast;
  s.FCaption = "x";
  s.FRatio = 1;
  s.FColor = clBtnFace;
  EXPECT_FALSE(isDefault("Count"));
  EXPECT_FALSE(isDefault("Direction"));
  EXPECT_FALSE(isDefault("Caption"));
  EXPECT_FALSE(isDefault("Ratio"));
  EXPECT_FALSE(isDefault("Color"));

  EXPECT_FALSE(GetPropInfo(&s, "Name")->IsStored(&s));
  EXPECT_TRUE(GetPropInfo(&s, "Caption")->IsStored(&s));
  PPropInfo enabled = GetPropInfo(&s, "Enabled");
  EXPECT_TRUE(enabled->IsStored(&s));
  s.FCount = 0;
  EXPECT_FALSE(enabled->IsStored(&s)) << "the stored method decides";
}

TEST(TypInfoTest, IntegerTypesWithIdentifiers) {
  TSample s(nullptr);
  PPropInfo color = GetPropInfo(&s, "Color");
  EXPECT_EQ(color->PropType->Name, "TColor");
  TIntToIdent toIdent = FindIntToIdent(color->PropType);
  TIdentToInt toInt = FindIdentToInt(color->PropType);
  ASSERT_TRUE(toIdent && toInt);
  String ident;
  EXPECT_TRUE(toIdent(clBtnFace, ident));
  EXPECT_EQ(ident, "clBtnFace");
  Integer value = 0;
  EXPECT_TRUE(toInt("clRed", value));
  EXPECT_EQ(value, 255);
  EXPECT_EQ(FindIntToIdent(TypeInfoOf<Integer>()), nullptr);
}

}  // namespace

namespace {

// A class publishes protected properties of its ancestors by name; a name
// that no ancestor declares is refused when the class information is built.
TEST(TypInfoTest, PublishingAnInheritedPropertyNeedsAnAncestorThatDeclaresIt) {
  TClassInfo info("TMisspelt", &TLabel::StaticClass(), nullptr);
  TPublisher<TLabel> publisher(info);
  EXPECT_THROW(publisher.Publish("Algn"), EPropertyError);
  publisher.Publish("Align").Default(alTop);
  EXPECT_EQ(info.FindProperty("Align")->Default, alTop);
  EXPECT_EQ(TLabel::StaticClass().FindProperty("Align")->Default, alNone)
      << "the ancestor's declaration keeps its own default";
  EXPECT_EQ(TLabel::StaticClass().FindProperty("TabOrder"), nullptr)
      << "only windowed controls declare a tab order";
}

}  // namespace
