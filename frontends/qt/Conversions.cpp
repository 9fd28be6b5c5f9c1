#include "frontends/qt/Conversions.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

#include "host/controls/Forms.h"

namespace Glossmith::inline QtFrontEnd {

namespace {

// Bytes of the UTF-8 sequence starting with `lead` (1 for a byte that
// starts none), and the UTF-16 units it becomes.
int SequenceBytes(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC2) return 2;
  return 1;
}

}  // namespace

Integer ByteOffset(const String& text, qsizetype pos) {
  size_t i = 0;
  qsizetype units = 0;
  while (i < text.size() && units < pos) {
    int n = SequenceBytes(static_cast<unsigned char>(text[i]));
    if (i + static_cast<size_t>(n) > text.size()) n = 1;
    i += static_cast<size_t>(n);
    units += n == 4 ? 2 : 1;
  }
  return static_cast<Integer>(i);
}

qsizetype QtPosition(const String& text, Integer offset) {
  size_t i = 0;
  qsizetype units = 0;
  const size_t end = std::min(text.size(), static_cast<size_t>(std::max<Integer>(offset, 0)));
  while (i < end) {
    int n = SequenceBytes(static_cast<unsigned char>(text[i]));
    if (i + static_cast<size_t>(n) > text.size()) n = 1;
    i += static_cast<size_t>(n);
    units += n == 4 ? 2 : 1;
  }
  return units;
}

QColor ToQColor(TColor color) {
  if (color == clNone || color == clDefault) return QColor();
  const auto value = static_cast<uint32_t>(color);
  if ((value & 0xFF000000u) == 0xFF000000u) {
    const QPalette palette = QApplication::palette();
    auto role = [&](QPalette::ColorRole r) { return palette.color(QPalette::Active, r); };
    switch (value & 0xFF) {
      case 0:  // clScrollBar
        return role(QPalette::Mid);
      case 1:   // clBackground
      case 12:  // clAppWorkSpace
        return role(QPalette::Dark);
      case 2:   // clActiveCaption
      case 13:  // clHighlight
      case 26:  // clHotLight
      case 27:  // clGradientActiveCaption
      case 29:  // clMenuHighlight
        return role(QPalette::Highlight);
      case 3:   // clInactiveCaption
      case 28:  // clGradientInactiveCaption
        return palette.color(QPalette::Inactive, QPalette::Highlight);
      case 4:   // clMenu
      case 15:  // clBtnFace
      case 30:  // clMenuBar
        return role(QPalette::Button);
      case 5:  // clWindow
        return role(QPalette::Base);
      case 6:   // clWindowFrame
      case 21:  // cl3DDkShadow
        return role(QPalette::Shadow);
      case 7:  // clMenuText
      case 8:  // clWindowText
        return role(QPalette::WindowText);
      case 9:   // clCaptionText
      case 14:  // clHighlightText
        return role(QPalette::HighlightedText);
      case 10:  // clActiveBorder
      case 11:  // clInactiveBorder
        return role(QPalette::Window);
      case 16:  // clBtnShadow
        return role(QPalette::Dark);
      case 17:  // clGrayText
        return palette.color(QPalette::Disabled, QPalette::Text);
      case 18:  // clBtnText
        return role(QPalette::ButtonText);
      case 19:  // clInactiveCaptionText
        return palette.color(QPalette::Inactive, QPalette::HighlightedText);
      case 20:  // clBtnHighlight
        return role(QPalette::Light);
      case 22:  // cl3DLight
        return role(QPalette::Midlight);
      case 23:  // clInfoText
        return role(QPalette::ToolTipText);
      case 24:  // clInfoBk
        return role(QPalette::ToolTipBase);
      default:
        return role(QPalette::Window);
    }
  }
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

double FormScale(const TCustomForm* form) {
  if (!form || !form->Scaled() || form->PixelsPerInch() <= 0) return 1.0;
  double screen = 96.0;
  if (QScreen* s = QGuiApplication::primaryScreen()) screen = s->logicalDotsPerInch();
  return screen / form->PixelsPerInch();
}

namespace {

// The classic families and the kind of face each is.
struct TClassicFamily {
  const char* Name;
  QFont::StyleHint Hint;
};
constexpr TClassicFamily kClassicFamilies[] = {
    {"MS Sans Serif", QFont::SansSerif},
    {"Microsoft Sans Serif", QFont::SansSerif},
    {"MS Shell Dlg", QFont::SansSerif},
    {"MS Shell Dlg 2", QFont::SansSerif},
    {"Tahoma", QFont::SansSerif},
    {"Segoe UI", QFont::SansSerif},
    {"Verdana", QFont::SansSerif},
    {"Arial", QFont::SansSerif},
    {"Helvetica", QFont::SansSerif},
    {"System", QFont::SansSerif},
    {"Small Fonts", QFont::SansSerif},
    {"Times New Roman", QFont::Serif},
    {"MS Serif", QFont::Serif},
    {"Georgia", QFont::Serif},
    {"Times", QFont::Serif},
    {"Courier New", QFont::Monospace},
    {"Courier", QFont::Monospace},
    {"Fixedsys", QFont::Monospace},
    {"Consolas", QFont::Monospace},
    {"Lucida Console", QFont::Monospace},
    {"Terminal", QFont::Monospace},
};

// The families fontconfig offers for each kind, best first: the metric
// twins of the classic faces where they are installed.
QStringList Candidates(QFont::StyleHint hint) {
  switch (hint) {
    case QFont::Serif:
      return {"Liberation Serif", "DejaVu Serif", "Noto Serif", "serif"};
    case QFont::Monospace:
      return {"Liberation Mono", "DejaVu Sans Mono", "Noto Mono", "monospace"};
    default:
      return {"Liberation Sans", "DejaVu Sans", "Noto Sans", "sans-serif"};
  }
}

}  // namespace

QString FamilyFor(const String& name) {
  static QHash<QString, QString> cache;
  const QString family = ToQt(name);
  auto found = cache.constFind(family);
  if (found != cache.constEnd()) return *found;
  QString shown = family;
  if (family.isEmpty() || !QFontDatabase::hasFamily(family)) {
    QFont::StyleHint hint = QFont::SansSerif;
    for (const auto& c : kClassicFamilies)
      if (family.compare(QLatin1String(c.Name), Qt::CaseInsensitive) == 0) hint = c.Hint;
    if (family.contains(QLatin1String("Mono"), Qt::CaseInsensitive) ||
        family.contains(QLatin1String("Courier"), Qt::CaseInsensitive))
      hint = QFont::Monospace;
    shown = QString();
    for (const QString& candidate : Candidates(hint))
      if (QFontDatabase::hasFamily(candidate)) {
        shown = candidate;
        break;
      }
    if (shown.isEmpty())
      shown = QFontDatabase::systemFont(hint == QFont::Monospace ? QFontDatabase::FixedFont
                                                                 : QFontDatabase::GeneralFont)
                  .family();
  }
  cache.insert(family, shown);
  return shown;
}

QFont ToQFont(const TFont* font, double scale) {
  QFont f(FamilyFor(font->Name()));
  // A negative height is the character height, a positive one the cell
  // height (which holds the internal leading, about a fifth of it).
  const Integer height = font->Height();
  const double pixels = height < 0 ? -height : height * 0.8;
  f.setPixelSize(std::max(1, static_cast<int>(pixels * scale + 0.5)));
  const TFontStyles style = font->Style();
  f.setBold(style.Contains(fsBold));
  f.setItalic(style.Contains(fsItalic));
  f.setUnderline(style.Contains(fsUnderline));
  f.setStrikeOut(style.Contains(fsStrikeOut));
  if (font->Pitch() == fpFixed) f.setFixedPitch(true);
  return f;
}

Windows::WORD VirtualKey(int qtKey) {
  using namespace Windows;
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<WORD>('A' + (qtKey - Qt::Key_A));
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return static_cast<WORD>('0' + (qtKey - Qt::Key_0));
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
    return static_cast<WORD>(VK_F1 + (qtKey - Qt::Key_F1));
  switch (qtKey) {
    case Qt::Key_Escape:
      return VK_ESCAPE;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return VK_TAB;
    case Qt::Key_Backspace:
      return VK_BACK;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return VK_RETURN;
    case Qt::Key_Insert:
      return VK_INSERT;
    case Qt::Key_Delete:
      return VK_DELETE;
    case Qt::Key_Home:
      return VK_HOME;
    case Qt::Key_End:
      return VK_END;
    case Qt::Key_PageUp:
      return VK_PRIOR;
    case Qt::Key_PageDown:
      return VK_NEXT;
    case Qt::Key_Left:
      return VK_LEFT;
    case Qt::Key_Up:
      return VK_UP;
    case Qt::Key_Right:
      return VK_RIGHT;
    case Qt::Key_Down:
      return VK_DOWN;
    case Qt::Key_Space:
      return VK_SPACE;
    case Qt::Key_Shift:
      return VK_SHIFT;
    case Qt::Key_Control:
      return VK_CONTROL;
    case Qt::Key_Alt:
      return VK_MENU;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
      return VK_OEM_1;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
      return VK_OEM_PLUS;
    case Qt::Key_Comma:
    case Qt::Key_Less:
      return VK_OEM_COMMA;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
      return VK_OEM_MINUS;
    case Qt::Key_Period:
    case Qt::Key_Greater:
      return VK_OEM_PERIOD;
    case Qt::Key_Slash:
    case Qt::Key_Question:
      return VK_OEM_2;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
      return VK_OEM_3;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
      return VK_OEM_4;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
      return VK_OEM_5;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
      return VK_OEM_6;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
      return VK_OEM_7;
    default:
      return 0;
  }
}

TShiftState ShiftOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState shift;
  if (modifiers & Qt::ShiftModifier) shift.Include(ssShift);
  if (modifiers & Qt::ControlModifier) shift.Include(ssCtrl);
  if (modifiers & Qt::AltModifier) shift.Include(ssAlt);
  if (buttons & Qt::LeftButton) shift.Include(ssLeft);
  if (buttons & Qt::RightButton) shift.Include(ssRight);
  if (buttons & Qt::MiddleButton) shift.Include(ssMiddle);
  return shift;
}

TMouseButton MouseButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::RightButton:
      return mbRight;
    case Qt::MiddleButton:
      return mbMiddle;
    default:
      return mbLeft;
  }
}

Qt::CursorShape CursorShapeOf(TCursor cursor) {
  switch (cursor) {
    case crNone:
      return Qt::BlankCursor;
    case crCross:
      return Qt::CrossCursor;
    case crIBeam:
      return Qt::IBeamCursor;
    case crSizeNESW:
      return Qt::SizeBDiagCursor;
    case crSizeNS:
    case crVSplit:
      return Qt::SizeVerCursor;
    case crSizeNWSE:
      return Qt::SizeFDiagCursor;
    case crSizeWE:
    case crHSplit:
      return Qt::SizeHorCursor;
    case crUpArrow:
      return Qt::UpArrowCursor;
    case crHourGlass:
    case crSQLWait:
      return Qt::WaitCursor;
    case crAppStart:
      return Qt::BusyCursor;
    case crDrag:
    case crMultiDrag:
      return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo:
      return Qt::ForbiddenCursor;
    case crHelp:
      return Qt::WhatsThisCursor;
    case crHandPoint:
      return Qt::PointingHandCursor;
    case crSizeAll:
      return Qt::SizeAllCursor;
    default:
      return Qt::ArrowCursor;
  }
}

QStringList NameFilters(const String& filter) {
  QStringList parts = ToQt(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString name = parts[i].trimmed();
    QString patterns = parts[i + 1].trimmed();
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    // Qt finds the patterns in the last parentheses of a filter: a name
    // that shows them already keeps its own text only when they agree.
    if (!name.endsWith(QLatin1Char(')')) || !name.contains(QLatin1Char('(')) ||
        name.mid(name.lastIndexOf(QLatin1Char('(')) + 1).chopped(1).simplified() !=
            patterns.simplified())
      name += QStringLiteral(" (") + patterns + QLatin1Char(')');
    filters << name;
  }
  return filters;
}

QString CaptionText(const String& caption, bool accelerators) {
  QString text = ToQt(caption);
  if (!accelerators) text.replace(QLatin1Char('&'), QStringLiteral("&&"));
  return text;
}

QString StripAccelerator(const String& caption) {
  const QString text = ToQt(caption);
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('&') && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

}  // namespace Glossmith::inline QtFrontEnd
