#include "host/controls/ScriptedUserInterface.h"

#include <algorithm>
#include <cctype>

#include "host/classes/Streams.h"
#include "host/controls/ComCtrls.h"
#include "host/controls/Dialogs.h"
#include "host/controls/TabNotBk.h"

namespace Glossmith::inline Controls {

// ---------------------------------------------------------------------------
// Steps

struct TScriptedUserInterface::TStep {
  enum TKind : uint8_t {
    skClick,
    skClickItem,
    skFocus,
    skType,
    skKey,
    skMouseMove,
    skSelectPage,
    skClose,
    skAction,
    // Answers from here on.
    skAnswer,
    skAnswerInput,
    skCancelInput,
    skAnswerFile,
    skCancelFile,
    skAnswerFont,
    skCancelFont
  };
  // The dialogs the answers answer.
  enum TDialog : uint8_t { dkMessage, dkInput, dkFile, dkFont, dkNone };

  TKind Kind = skClose;
  String Name{};
  String Text{};
  int Index = 0;
  Integer X = 0, Y = 0;
  WORD KeyCode = 0;
  TShiftState Shift{};
  Integer Result = 0;
  TFontData Font{};
  // A font from the text form names only the name, size and styles; the
  // colour and character set stay as the dialog shows them.
  bool PartialFont = false;
  std::function<void(TCustomForm&)> Action{};
  int Line = 0;  // in the text form; 0 for a step added in code

  TDialog Answers() const {
    switch (Kind) {
      case skAnswer:
        return dkMessage;
      case skAnswerInput:
      case skCancelInput:
        return dkInput;
      case skAnswerFile:
      case skCancelFile:
        return dkFile;
      case skAnswerFont:
      case skCancelFont:
        return dkFont;
      default:
        return dkNone;
    }
  }
  String Describe() const;
};

namespace {

String Quoted(const String& text) {
  String out = "\"";
  for (char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        out += c;
    }
  }
  return out + "\"";
}

struct TResultName {
  Integer Result;
  const char* Name;
};

constexpr TResultName kResultNames[] = {
    {mrYes, "yes"},           {mrNo, "no"},       {mrOk, "ok"},
    {mrCancel, "cancel"},     {mrAbort, "abort"}, {mrRetry, "retry"},
    {mrIgnore, "ignore"},     {mrAll, "all"},     {mrNoToAll, "notoall"},
    {mrYesToAll, "yestoall"},
};

String ResultName(Integer result) {
  for (const auto& r : kResultNames)
    if (r.Result == result) return r.Name;
  return IntToStr(result);
}

struct TKeyName {
  WORD Key;
  const char* Name;
};

// The first name of a key is the one the text form writes.
constexpr TKeyName kKeyNames[] = {
    {VK_ESCAPE, "Escape"}, {VK_ESCAPE, "Esc"},     {VK_RETURN, "Enter"}, {VK_RETURN, "Return"},
    {VK_TAB, "Tab"},       {VK_BACK, "Backspace"}, {VK_SPACE, "Space"},  {VK_PRIOR, "PageUp"},
    {VK_PRIOR, "PgUp"},    {VK_NEXT, "PageDown"},  {VK_NEXT, "PgDn"},    {VK_END, "End"},
    {VK_HOME, "Home"},     {VK_LEFT, "Left"},      {VK_UP, "Up"},        {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},     {VK_INSERT, "Insert"},  {VK_INSERT, "Ins"},   {VK_DELETE, "Delete"},
    {VK_DELETE, "Del"},
};

String Modifiers(TShiftState shift) {
  String out;
  if (shift.Contains(ssShift)) out += "shift+";
  if (shift.Contains(ssCtrl)) out += "ctrl+";
  if (shift.Contains(ssAlt)) out += "alt+";
  return out;
}

String FontText(const TFontData& font) {
  String out = Quoted(font.Name) + " " + IntToStr(font.Size);
  if (font.Bold) out += " bold";
  if (font.Italic) out += " italic";
  if (font.Underline) out += " underline";
  if (font.StrikeOut) out += " strikeout";
  return out;
}

String ComponentName(const TComponent& c) { return c.Name().empty() ? c.ClassName() : c.Name(); }

}  // namespace

String KeyToScriptText(WORD key, TShiftState shift) {
  String name;
  for (const auto& k : kKeyNames)
    if (k.Key == key) {
      name = k.Name;
      break;
    }
  if (name.empty()) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
      name = String(1, static_cast<char>(key));
    else if (key >= VK_F1 && key <= VK_F12)
      name = "F" + IntToStr(key - VK_F1 + 1);
    else
      name = IntToStr(key);
  }
  return Modifiers(shift) + name;
}

String TScriptedUserInterface::TStep::Describe() const {
  switch (Kind) {
    case skClick:
      return "click " + Name;
    case skClickItem: {
      String mods = Modifiers(Shift);
      if (!mods.empty()) mods = " " + mods.substr(0, mods.size() - 1);
      return "click-item " + Name + " " + IntToStr(Index) + mods;
    }
    case skFocus:
      return "focus " + Name;
    case skType:
      return "type " + Quoted(Text);
    case skKey:
      return "key " + KeyToScriptText(KeyCode, Shift);
    case skMouseMove:
      return "mouse-move " + Name + " " + IntToStr(X) + " " + IntToStr(Y);
    case skSelectPage:
      return "select-page " + Name + " " + IntToStr(Index);
    case skClose:
      return "close";
    case skAction:
      return "step (a test's own action)";
    case skAnswer:
      return "answer " + ResultName(Result);
    case skAnswerInput:
      return "input " + Quoted(Text);
    case skCancelInput:
      return "cancel-input";
    case skAnswerFile:
      return "file " + Quoted(Text);
    case skCancelFile:
      return "cancel-file";
    case skAnswerFont:
      return "font " + FontText(Font);
    case skCancelFont:
      return "cancel-font";
  }
  return String();
}

// ---------------------------------------------------------------------------
// Building a script in code

TScriptedUserInterface::TScriptedUserInterface() = default;
TScriptedUserInterface::~TScriptedUserInterface() = default;

TScriptedUserInterface& TScriptedUserInterface::Add(TStep step) {
  FSteps.push_back(std::move(step));
  return *this;
}

TScriptedUserInterface& TScriptedUserInterface::Click(const String& name) {
  return Add({.Kind = TStep::skClick, .Name = name});
}

TScriptedUserInterface& TScriptedUserInterface::ClickItem(const String& name, int index,
                                                          TShiftState shift) {
  return Add({.Kind = TStep::skClickItem, .Name = name, .Index = index, .Shift = shift});
}

TScriptedUserInterface& TScriptedUserInterface::Focus(const String& name) {
  return Add({.Kind = TStep::skFocus, .Name = name});
}

TScriptedUserInterface& TScriptedUserInterface::Type(const String& text) {
  return Add({.Kind = TStep::skType, .Text = text});
}

TScriptedUserInterface& TScriptedUserInterface::Key(WORD key, TShiftState shift) {
  return Add({.Kind = TStep::skKey, .KeyCode = key, .Shift = shift});
}

TScriptedUserInterface& TScriptedUserInterface::MouseMove(const String& name, Integer x,
                                                          Integer y) {
  return Add({.Kind = TStep::skMouseMove, .Name = name, .X = x, .Y = y});
}

TScriptedUserInterface& TScriptedUserInterface::SelectPage(const String& name, int index) {
  return Add({.Kind = TStep::skSelectPage, .Name = name, .Index = index});
}

TScriptedUserInterface& TScriptedUserInterface::Close() { return Add({.Kind = TStep::skClose}); }

TScriptedUserInterface& TScriptedUserInterface::Step(std::function<void(TCustomForm&)> action) {
  return Add({.Kind = TStep::skAction, .Action = std::move(action)});
}

TScriptedUserInterface& TScriptedUserInterface::Answer(Integer modalResult) {
  return Add({.Kind = TStep::skAnswer, .Result = modalResult});
}

TScriptedUserInterface& TScriptedUserInterface::AnswerInput(const String& value) {
  return Add({.Kind = TStep::skAnswerInput, .Text = value});
}

TScriptedUserInterface& TScriptedUserInterface::CancelInput() {
  return Add({.Kind = TStep::skCancelInput});
}

TScriptedUserInterface& TScriptedUserInterface::AnswerFile(const String& fileName) {
  return Add({.Kind = TStep::skAnswerFile, .Text = fileName});
}

TScriptedUserInterface& TScriptedUserInterface::CancelFile() {
  return Add({.Kind = TStep::skCancelFile});
}

TScriptedUserInterface& TScriptedUserInterface::AnswerFont(const TFontData& font) {
  return Add({.Kind = TStep::skAnswerFont, .Font = font});
}

TScriptedUserInterface& TScriptedUserInterface::CancelFont() {
  return Add({.Kind = TStep::skCancelFont});
}

int TScriptedUserInterface::Remaining() const { return static_cast<int>(FSteps.size() - FNext); }

// ---------------------------------------------------------------------------
// The text form

namespace {

class TScriptLine {
 public:
  TScriptLine(std::string_view text, int line) : FLine(line) { Split(text); }

  bool Empty() const { return FTokens.empty(); }
  size_t Count() const { return FTokens.size(); }
  [[noreturn]] void Fail(const String& message) const {
    throw EScriptError(Format("Line %d: %s", {FLine, message}));
  }
  const String& Word(size_t i, const char* what) const {
    if (i >= FTokens.size()) Fail(Format("%s needs %s", {FTokens[0].Text, what}));
    if (FTokens[i].Quoted) Fail(Format("%s is not %s", {Quoted(FTokens[i].Text), what}));
    return FTokens[i].Text;
  }
  const String& Text(size_t i, const char* what) const {
    if (i >= FTokens.size() || !FTokens[i].Quoted)
      Fail(Format("%s needs %s in double quotes", {FTokens[0].Text, what}));
    return FTokens[i].Text;
  }
  Integer Number(size_t i, const char* what) const {
    const String& word = Word(i, what);
    Integer value = 0;
    if (!TryStrToInt(word, value)) Fail(Format("'%s' is not %s", {word, what}));
    return value;
  }
  void End(size_t count) const {
    if (FTokens.size() > count)
      Fail(Format("unexpected '%s' after the step", {FTokens[count].Text}));
  }

 private:
  struct TToken {
    String Text;
    bool Quoted = false;
  };
  void Split(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
      char c = text[i];
      if (c == ' ' || c == '\t' || c == '\r') {
        ++i;
      } else if (c == '#') {
        break;
      } else if (c == '"') {
        TToken token{String(), true};
        ++i;
        for (;;) {
          if (i >= text.size()) Fail("the text has no closing quote");
          c = text[i++];
          if (c == '"') break;
          if (c != '\\') {
            token.Text += c;
            continue;
          }
          if (i >= text.size()) Fail("the text has no closing quote");
          c = text[i++];
          switch (c) {
            case 'n':
              token.Text += '\n';
              break;
            case 'r':
              token.Text += '\r';
              break;
            case 't':
              token.Text += '\t';
              break;
            case '"':
            case '\\':
              token.Text += c;
              break;
            default:
              Fail(Format("unknown escape \\%s in a text", {String(1, c)}));
          }
        }
        FTokens.push_back(std::move(token));
      } else {
        size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '\t' && text[i] != '\r' &&
               text[i] != '"' && text[i] != '#')
          ++i;
        FTokens.push_back({String(text.substr(start, i - start)), false});
      }
    }
  }

  int FLine;
  std::vector<TToken> FTokens;
};

// Modifiers joined by "+" before a key or alone ("ctrl+shift").
bool TakeModifier(std::string_view& keys, TShiftState& shift) {
  for (auto [prefix, item] :
       {std::pair{std::string_view("shift"), ssShift}, std::pair{std::string_view("ctrl"), ssCtrl},
        std::pair{std::string_view("alt"), ssAlt}}) {
    if (keys.size() >= prefix.size() && SameText(keys.substr(0, prefix.size()), prefix) &&
        (keys.size() == prefix.size() || keys[prefix.size()] == '+')) {
      shift.Include(item);
      keys.remove_prefix(std::min(keys.size(), prefix.size() + 1));
      return true;
    }
  }
  return false;
}

bool ParseKey(std::string_view keys, WORD& key, TShiftState& shift) {
  shift = {};
  // "shift+" alone is not a key: a modifier needs a key after it.
  while (keys.find('+') != std::string_view::npos && TakeModifier(keys, shift)) {
  }
  if (keys.empty()) return false;
  for (const auto& k : kKeyNames)
    if (SameText(keys, k.Name)) {
      key = k.Key;
      return true;
    }
  if (keys.size() == 1 && std::isalnum(static_cast<unsigned char>(keys[0]))) {
    key = static_cast<WORD>(std::toupper(static_cast<unsigned char>(keys[0])));
    return true;
  }
  Integer n = 0;
  if ((keys[0] == 'F' || keys[0] == 'f') && TryStrToInt(keys.substr(1), n) && n >= 1 && n <= 12) {
    key = static_cast<WORD>(VK_F1 + n - 1);
    return true;
  }
  if (TryStrToInt(keys, n) && n > 0 && n <= 0xFFFF) {
    key = static_cast<WORD>(n);
    return true;
  }
  return false;
}

using TStep = TScriptedUserInterface::TStep;

TStep ParseStep(const TScriptLine& line) {
  TStep s;
  String command = LowerCase(line.Word(0, "a step"));
  if (command == "click") {
    s.Kind = TStep::skClick;
    s.Name = line.Word(1, "a control name");
    line.End(2);
  } else if (command == "click-item") {
    s.Kind = TStep::skClickItem;
    s.Name = line.Word(1, "a control name");
    s.Index = line.Number(2, "an item index");
    for (size_t i = 3; i < line.Count(); ++i) {
      std::string_view keys = line.Word(i, "ctrl or shift");
      while (!keys.empty())
        if (!TakeModifier(keys, s.Shift) || s.Shift.Contains(ssAlt))
          line.Fail(Format("'%s' is not ctrl or shift", {line.Word(i, "ctrl or shift")}));
    }
  } else if (command == "focus") {
    s.Kind = TStep::skFocus;
    s.Name = line.Word(1, "a control name");
    line.End(2);
  } else if (command == "type") {
    s.Kind = TStep::skType;
    s.Text = line.Text(1, "the text");
    line.End(2);
  } else if (command == "key") {
    s.Kind = TStep::skKey;
    const String& keys = line.Word(1, "a key");
    if (!ParseKey(keys, s.KeyCode, s.Shift)) line.Fail(Format("'%s' is not a key", {keys}));
    line.End(2);
  } else if (command == "mouse-move") {
    s.Kind = TStep::skMouseMove;
    s.Name = line.Word(1, "a control name");
    s.X = line.Number(2, "an x coordinate");
    s.Y = line.Number(3, "a y coordinate");
    line.End(4);
  } else if (command == "select-page") {
    s.Kind = TStep::skSelectPage;
    s.Name = line.Word(1, "a control name");
    s.Index = line.Number(2, "a page index");
    line.End(3);
  } else if (command == "close") {
    s.Kind = TStep::skClose;
    line.End(1);
  } else if (command == "answer") {
    s.Kind = TStep::skAnswer;
    String answer = LowerCase(line.Word(1, "a button (yes, no, ok, cancel...)"));
    bool found = false;
    for (const auto& r : kResultNames)
      if (answer == r.Name) {
        s.Result = r.Result;
        found = true;
      }
    if (!found && !TryStrToInt(answer, s.Result))
      line.Fail(Format("'%s' is not a button (yes, no, ok, cancel...)", {answer}));
    line.End(2);
  } else if (command == "input") {
    s.Kind = TStep::skAnswerInput;
    s.Text = line.Text(1, "the text entered");
    line.End(2);
  } else if (command == "cancel-input") {
    s.Kind = TStep::skCancelInput;
    line.End(1);
  } else if (command == "file") {
    s.Kind = TStep::skAnswerFile;
    s.Text = line.Text(1, "the file name");
    line.End(2);
  } else if (command == "cancel-file") {
    s.Kind = TStep::skCancelFile;
    line.End(1);
  } else if (command == "font") {
    s.Kind = TStep::skAnswerFont;
    s.PartialFont = true;
    s.Font.Name = line.Text(1, "the font name");
    s.Font.Size = line.Number(2, "a size in points");
    for (size_t i = 3; i < line.Count(); ++i) {
      String style = LowerCase(line.Word(i, "a style"));
      if (style == "bold")
        s.Font.Bold = true;
      else if (style == "italic")
        s.Font.Italic = true;
      else if (style == "underline")
        s.Font.Underline = true;
      else if (style == "strikeout")
        s.Font.StrikeOut = true;
      else
        line.Fail(Format("'%s' is not a style (bold, italic, underline, strikeout)", {style}));
    }
  } else if (command == "cancel-font") {
    s.Kind = TStep::skCancelFont;
    line.End(1);
  } else {
    line.Fail(Format("unknown step '%s'", {line.Word(0, "a step")}));
  }
  return s;
}

}  // namespace

void TScriptedUserInterface::AddScript(const String& text) {
  std::vector<TStep> steps;
  int number = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == String::npos) end = text.size();
    TScriptLine line(std::string_view(text).substr(start, end - start), ++number);
    if (!line.Empty()) {
      steps.push_back(ParseStep(line));
      steps.back().Line = number;
    }
    start = end + 1;
  }
  for (TStep& s : steps) FSteps.push_back(std::move(s));
}

void TScriptedUserInterface::AddScriptFile(const String& fileName) {
  String text = ReadFileToString(fileName);
  try {
    AddScript(text);
  } catch (const EScriptError& e) {
    throw EScriptError(fileName + ": " + e.Message());
  }
}

// ---------------------------------------------------------------------------
// Running

String TScriptedUserInterface::Where(size_t index) const {
  String where = "Script step " + IntToStr(static_cast<Int64>(index) + 1);
  if (index < FSteps.size() && FSteps[index].Line > 0)
    where += " (line " + IntToStr(FSteps[index].Line) + ")";
  return where;
}

const TScriptedUserInterface::TStep& TScriptedUserInterface::TakeAnswer(int kind,
                                                                        const String& shown) {
  if (FNext >= FSteps.size())
    throw EScriptError(Where(FNext) + ": " + shown + " was shown, but the script has ended");
  const TStep& step = FSteps[FNext];
  if (step.Answers() != kind)
    throw EScriptError(Where(FNext) + ": " + shown + " was shown, but the step is " +
                       step.Describe());
  ++FNext;
  return step;
}

namespace {

// Why a person could not use the control now, or empty.
String Unusable(const TControl& control) {
  for (const TControl* c = &control; c; c = c->Parent()) {
    String what = c == &control ? String() : " (on " + ComponentName(*c) + ")";
    if (!c->Visible()) return ComponentName(control) + " is hidden" + what;
    if (!c->Enabled()) return ComponentName(control) + " is disabled" + what;
    if (dynamic_cast<const TCustomForm*>(c)) return String();
  }
  return ComponentName(control) + " is not on a form";
}

}  // namespace

void TScriptedUserInterface::Perform(const TStep& step, TCustomForm& form) {
  String where = Where(FNext - 1) + " (" + step.Describe() + ")";
  auto fail = [&](const String& why) { throw EScriptError(where + ": " + why); };
  auto find = [&]() -> TControl& {
    TComponent* c = form.FindComponent(step.Name);
    if (!c) fail(ComponentName(form) + " has no control named " + step.Name);
    auto* control = dynamic_cast<TControl*>(c);
    if (!control) fail(step.Name + " is a " + c->ClassName() + ", not a control");
    return *control;
  };
  auto usable = [&](TControl& control) -> TControl& {
    if (String why = Unusable(control); !why.empty()) fail(why);
    return control;
  };

  switch (step.Kind) {
    case TStep::skClick: {
      TControl& control = usable(find());
      if (control.Is<TCustomRadioGroup>())
        fail(step.Name + " is a radio group: click one of its items (click-item)");
      control.MouseClick();
      break;
    }
    case TStep::skClickItem: {
      TControl& control = usable(find());
      if (auto* list = dynamic_cast<TCustomListBox*>(&control)) {
        if (step.Index < 0 || step.Index >= list->Items()->Count())
          fail(Format("%s has no item %d (it has %d)",
                      {step.Name, step.Index, list->Items()->Count()}));
        list->ClickItem(step.Index, step.Shift);
      } else if (auto* group = dynamic_cast<TCustomRadioGroup*>(&control)) {
        if (step.Index < 0 || step.Index >= group->Items()->Count())
          fail(Format("%s has no item %d (it has %d)",
                      {step.Name, step.Index, group->Items()->Count()}));
        group->ClickItem(step.Index);
      } else {
        fail(step.Name + " is a " + control.ClassName() +
             ": click-item needs a list box or a radio group");
      }
      break;
    }
    case TStep::skFocus: {
      auto* control = dynamic_cast<TWinControl*>(&find());
      if (!control) fail(step.Name + " cannot take the focus");
      usable(*control);
      control->SetFocus();
      break;
    }
    case TStep::skType:
      form.TypeText(step.Text);
      break;
    case TStep::skKey:
      form.PressKey(step.KeyCode, step.Shift);
      break;
    case TStep::skMouseMove: {
      TControl& control = find();
      for (const TControl* c = &control; c && c != &form; c = c->Parent())
        if (!c->Visible()) fail(Unusable(control));
      // A disabled control hears nothing of the mouse; its hint still shows.
      if (control.Enabled())
        control.MouseMove({}, step.X, step.Y);
      else if (Application)
        Application->HintMouseMessage(&control, TPoint{step.X, step.Y});
      break;
    }
    case TStep::skSelectPage: {
      TControl& control = usable(find());
      if (auto* notebook = dynamic_cast<TTabbedNotebook*>(&control)) {
        if (step.Index < 0 || step.Index >= notebook->PageCount())
          fail(Format("%s has no page %d (it has %d)",
                      {step.Name, step.Index, notebook->PageCount()}));
        notebook->SelectPage(step.Index);
      } else if (auto* pages = dynamic_cast<TPageControl*>(&control)) {
        if (step.Index < 0 || step.Index >= pages->PageCount())
          fail(
              Format("%s has no page %d (it has %d)", {step.Name, step.Index, pages->PageCount()}));
        if (pages->CanFocus() && !pages->Focused()) pages->SetFocus();
        pages->SelectTab(step.Index);
      } else {
        fail(step.Name + " is a " + control.ClassName() +
             ": select-page needs a tabbed notebook or a page control");
      }
      break;
    }
    case TStep::skClose:
      form.Close();
      break;
    case TStep::skAction:
      if (step.Action) step.Action(form);
      break;
    default:
      break;
  }
}

void TScriptedUserInterface::RunModal(TComponent* formComponent,
                                      const std::function<bool()>& closed) {
  auto* form = dynamic_cast<TCustomForm*>(formComponent);
  String name = formComponent ? ComponentName(*formComponent) : String("nothing");
  if (!form) throw EScriptError("Script: " + name + " is not a form and cannot run modally");
  FLog.push_back("modal " + name);
  while (!closed()) {
    if (FNext >= FSteps.size())
      throw EScriptError(Where(FNext) + ": the script ended while " + name + " was still open");
    if (FSteps[FNext].Answers() != TStep::dkNone)
      throw EScriptError(Where(FNext) + ": the step is " + FSteps[FNext].Describe() +
                         ", but no dialog was shown (" + name + " is open)");
    // A copy: a test's own step may add steps.
    TStep step = FSteps[FNext++];
    FLog.push_back("> " + step.Describe());
    try {
      Perform(step, *form);
    } catch (const EScriptError&) {
      throw;
    } catch (const Exception& e) {
      // An error in an event handler reaches the application's error
      // reporting, as in the classic message loop, and the form stays open.
      // A test's own step fails the test instead.
      if (step.Kind == TStep::skAction) throw;
      Application->HandleException(e);
    }
  }
  FLog.push_back("closed " + name + " " + ResultName(form->ModalResult()));
}

Integer TScriptedUserInterface::MessageBox(const TMessageRequest& request) {
  FMessages.push_back(request);
  String buttons;
  for (uint8_t b = mbYes; b <= mbHelp; ++b)
    if (request.Buttons.Contains(static_cast<TMsgDlgBtn>(b))) {
      String name = GetEnumName(TypeInfoOf<TMsgDlgBtn>(), b).substr(2);
      buttons += (buttons.empty() ? "" : ", ") + name;
    }
  String type = GetEnumName(TypeInfoOf<TMsgDlgType>(), request.Type).substr(2);
  FLog.push_back("message " + type + " " + Quoted(request.Text) + " [" + buttons + "]");
  const TStep& step = TakeAnswer(TStep::dkMessage, "a message box " + Quoted(request.Text));
  bool offered = false;
  for (uint8_t b = mbYes; b <= mbHelp; ++b)
    if (request.Buttons.Contains(static_cast<TMsgDlgBtn>(b)) &&
        ButtonModalResult(static_cast<TMsgDlgBtn>(b)) == step.Result)
      offered = true;
  if (!offered)
    throw EScriptError(Where(FNext - 1) + ": the message box " + Quoted(request.Text) +
                       " has no button for " + step.Describe() + " (its buttons: " + buttons + ")");
  FLog.back() += " -> " + ResultName(step.Result);
  return step.Result;
}

bool TScriptedUserInterface::InputQuery(TInputRequest& request) {
  FInputs.push_back(request);
  FLog.push_back("input " + Quoted(request.Caption) + " " + Quoted(request.Prompt) + " " +
                 Quoted(request.Value));
  const TStep& step = TakeAnswer(TStep::dkInput, "an input box " + Quoted(request.Caption));
  if (step.Kind == TStep::skCancelInput) {
    FLog.back() += " -> cancel";
    return false;
  }
  request.Value = step.Text;
  FLog.back() += " -> " + Quoted(step.Text);
  return true;
}

bool TScriptedUserInterface::FileDialog(TFileDialogRequest& request) {
  FFileDialogs.push_back(request);
  String kind = request.Save ? "save" : "open";
  FLog.push_back(kind + " " + Quoted(request.Title) + " " + Quoted(request.Filter) + " " +
                 Quoted(request.FileName));
  const TStep& step = TakeAnswer(TStep::dkFile, "a" + String(request.Save ? " save" : "n open") +
                                                    " dialog " + Quoted(request.Title));
  if (step.Kind == TStep::skCancelFile) {
    FLog.back() += " -> cancel";
    return false;
  }
  request.FileName = step.Text;
  request.Files = {step.Text};
  FLog.back() += " -> " + Quoted(step.Text);
  return true;
}

bool TScriptedUserInterface::FontDialog(TFontData& font) {
  FFontDialogs.push_back(font);
  FLog.push_back("font " + FontText(font));
  const TStep& step = TakeAnswer(TStep::dkFont, "a font dialog");
  if (step.Kind == TStep::skCancelFont) {
    FLog.back() += " -> cancel";
    return false;
  }
  TFontData chosen = step.Font;
  if (step.PartialFont) {
    chosen.Color = font.Color;
    chosen.Charset = font.Charset;
  }
  font = chosen;
  FLog.back() += " -> " + FontText(font);
  return true;
}

void TScriptedUserInterface::CursorChanged(Integer cursor) {
  FCursors.push_back(cursor);
  String name;
  if (!CursorToIdent(cursor, name)) name = IntToStr(cursor);
  FLog.push_back("cursor " + name);
}

void TScriptedUserInterface::HintShown(TComponent* control, const String& text) {
  String name = control ? ComponentName(*control) : String();
  FHints.push_back({name, text});
  FLog.push_back("hint " + name + " " + Quoted(text));
}

void TScriptedUserInterface::HintCancelled() {
  ++FHintsCancelled;
  FLog.push_back("cancel-hint");
}

}  // namespace Glossmith::inline Controls
