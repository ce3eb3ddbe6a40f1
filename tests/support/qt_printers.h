#pragma once

#include <QByteArray>
#include <QString>
#include <ostream>

// Failure output shows Qt strings as text, line breaks spelled out, long ones cut.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QByteArray& bytes, std::ostream* out) {
    QByteArray shown = bytes.left(200).replace("\r", "\\r").replace("\n", "\\n");
    *out << '"' << shown.toStdString() << (bytes.size() > 200 ? "\"..." : "\"");
}
inline void PrintTo(const QString& text, std::ostream* out) {
    PrintTo(text.toUtf8(), out);
}
QT_END_NAMESPACE
