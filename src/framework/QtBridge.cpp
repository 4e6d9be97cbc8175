#include "framework/QtBridge.h"

#include <QWidget>

namespace fw {

QString ToQString(const String& s) {
    const std::string utf8 = s.ToUTF8();
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

String FromQString(const QString& s) {
    const QByteArray utf8 = s.toUtf8();
    return String(std::string_view(utf8.constData(), size_t(utf8.size())));
}

QString ToDisplayText(const String& s) { return DisplayLineBreaks(ToQString(s)); }

QString DisplayLineBreaks(QString text) {
    // One pass in place: texts may run to hundreds of megabytes.
    QChar* out = text.data();
    const QChar* const end = out + text.size();
    for (const QChar* in = out; in != end; ++in) {
        if (*in != u'\r') {
            *out++ = *in;
        } else {
            *out++ = u'\n';
            if (in + 1 != end && in[1] == u'\n') ++in;
        }
    }
    text.truncate(out - text.constData());
    return text;
}

String FromDisplayText(const QString& s) {
    QString text = s;
    text.replace(QLatin1String("\r\n"), QLatin1String("\r"));
    for (const QChar lineBreak : {QChar(u'\n'), QChar(0x2028), QChar(0x2029)})
        text.replace(lineBreak, QLatin1Char('\r'));
    return FromQString(text);
}

void SetPaletteColor(QWidget* widget, QPalette::ColorRole role, Color color) {
    QPalette palette = widget->palette();
    palette.setColor(role, QColor(color.Red(), color.Green(), color.Blue()));
    widget->setPalette(palette);
}

Qt::Alignment HorizontalAlignment(int align) {
    if (align == 2) return Qt::AlignHCenter;
    if (align == 3) return Qt::AlignRight;
    return Qt::AlignLeft;
}

}  // namespace fw
