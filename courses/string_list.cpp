#include "string_list.h"

#include "error.h"

namespace lexamo {

Error indexError(qsizetype index)
{
    return Error(QStringLiteral("リストのインデックスが範囲を超えています (%1)").arg(index));
}

StringList StringList::fromText(QString text, QList<Span> spans)
{
    StringList list;
    list.m_text = std::move(text);
    list.m_spans = std::move(spans);
    return list;
}

void StringList::checkIndex(qsizetype index) const
{
    if (index < 0 || index >= m_spans.size())
        throw indexError(index);
}

QString StringList::operator[](qsizetype index) const
{
    // A deep copy: a raw-data view would dangle once the list is reassigned.
    return view(index).toString();
}

QStringView StringList::view(qsizetype index) const
{
    checkIndex(index);
    const Span span = m_spans.at(index);
    return QStringView(m_text).sliced(span.offset, span.length);
}

void StringList::Put(qsizetype index, const QString& text)
{
    checkIndex(index);
    m_spans[index] = {m_text.size(), text.size()};
    m_text.append(text);
}

void StringList::Add(const QString& text)
{
    m_spans.append({m_text.size(), text.size()});
    m_text.append(text);
}

void StringList::Clear()
{
    m_text = QString();
    m_spans = QList<Span>();
}

void StringList::assign(const QStringList& lines)
{
    qsizetype total = 0;
    for (const QString& line : lines)
        total += line.size();
    QString text;
    text.reserve(total);
    QList<Span> spans;
    spans.reserve(lines.size());
    for (const QString& line : lines) {
        spans.append({text.size(), line.size()});
        text.append(line);
    }
    m_text = std::move(text);
    m_spans = std::move(spans);
}

QStringList StringList::lines() const
{
    QStringList result;
    result.reserve(m_spans.size());
    for (const Span& span : m_spans)
        result.append(QStringView(m_text).sliced(span.offset, span.length).toString());
    return result;
}

} // namespace lexamo
