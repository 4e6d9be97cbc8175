#pragma once

// Conversions between framework strings and Qt strings. Framework-internal:
// the program never sees Qt types.

#include "framework/RectControl.h"
#include "framework/String.h"

#include <QPalette>
#include <QString>

namespace fw {

// Decodes s from its encoding (raw bytes as MacRoman). Characters are kept
// as they are, carriage returns included.
QString ToQString(const String& s);
// The Qt text as a UTF-8 framework string.
String FromQString(const QString& s);

// Text shown in a control: carriage returns become line breaks.
QString ToDisplayText(const String& s);
// The same for a Qt text: every CR LF and CR becomes one line feed.
QString DisplayLineBreaks(QString text);
// Text read back from a control: every line break (LF, CR LF, paragraph
// separator) becomes one carriage return.
String FromDisplayText(const QString& s);

// Sets one colour of a widget's palette.
void SetPaletteColor(QWidget* widget, QPalette::ColorRole role, Color color);
// The horizontal alignment of a control's alignment value: 0 default (left),
// 1 left, 2 centre, 3 right.
Qt::Alignment HorizontalAlignment(int align);

}  // namespace fw
