// Values of the host in Qt's terms and back: texts, colours, fonts, keys,
// cursors and file-dialog filters.
#pragma once

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QString>
#include <Qt>

#include "host/controls/Forms.h"

namespace Glossmith::inline QtFrontEnd {

// Texts are UTF-8 bytes in the host; bytes that are not UTF-8 show as
// replacement characters.
inline QString ToQt(const String& s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
inline String FromQt(const QString& s) {
  const QByteArray bytes = s.toUtf8();
  return String(bytes.constData(), static_cast<size_t>(bytes.size()));
}
// The byte offset in `text` of the UTF-16 position `pos` of its Qt form, and back.
Integer ByteOffset(const String& text, qsizetype pos);
qsizetype QtPosition(const String& text, Integer offset);

// A colour: plain colours are 0x00BBGGRR; a system colour takes the colour
// of its role in the application's palette. clNone and clDefault give an
// invalid colour (keep what the widget has).
QColor ToQColor(TColor color);

// The scale of a form's coordinates on this screen: the screen's logical
// dots per inch over the form's PixelsPerInch, 1 when the form is not
// Scaled.
double FormScale(const TCustomForm* form);
inline int Scaled(Integer value, double scale) {
  return static_cast<int>(value * scale + (value >= 0 ? 0.5 : -0.5));
}

// A font: name, height, styles. A family the system lacks is replaced by a
// close one of the same kind (the classic sans-serif, serif and fixed
// families by what fontconfig offers of that kind), so that a form designed
// with "MS Sans Serif" keeps its proportions.
QFont ToQFont(const TFont* font, double scale);
// The family shown for a font name.
QString FamilyFor(const String& name);

// Keys: the virtual-key code of a Qt key (0 when it has none) and the
// shift state of Qt's modifiers and buttons.
Windows::WORD VirtualKey(int qtKey);
TShiftState ShiftOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = {});
TMouseButton MouseButtonOf(Qt::MouseButton button);

// The Qt cursor of a host cursor (crHourGlass: the wait cursor).
Qt::CursorShape CursorShapeOf(TCursor cursor);

// A classic filter ("Text files (*.txt)|*.txt|All files|*.*") as Qt's
// name filters, one per pair, each "Name (patterns)".
QStringList NameFilters(const String& filter);

// The text a control's caption shows: with `accelerators` an "&" marks
// the next character (Qt's own convention, "&&" for an ampersand), without
// it every "&" shows.
QString CaptionText(const String& caption, bool accelerators);
// The caption without its accelerator mark, as a label without a focus
// control shows it.
QString StripAccelerator(const String& caption);

}  // namespace Glossmith::inline QtFrontEnd
