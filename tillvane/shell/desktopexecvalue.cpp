#include "desktopexecvalue.h"

namespace {

bool needsQuoting(const QString& path)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    for (const QChar c : path) {
        if (reserved.contains(c))
            return true;
    }
    return false;
}

QString quoted(const QString& path)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        out += c;
    }
    return out + QLatin1Char('"');
}

// Escapes of the key file format itself, applied after the quoting rules.
QString escapedForKeyFile(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else
            out += c;
    }
    return out;
}

} // namespace

QString desktopExecValue(const QString& path)
{
    QString value = needsQuoting(path) ? quoted(path) : path;
    value.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return escapedForKeyFile(value);
}
