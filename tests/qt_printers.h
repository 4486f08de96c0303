#pragma once

#include <QString>

#include <ostream>

// GoogleTest prints QString as raw bytes otherwise; failures should show readable text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
