#include "string_list.h"

#include "error.h"

namespace lexamo {

Error indexError(qsizetype index)
{
    return Error(QStringLiteral("リストのインデックスが範囲を超えています (%1)").arg(index));
}

const QString& StringList::operator[](qsizetype index) const
{
    if (index < 0 || index >= m_lines.size())
        throw indexError(index);
    return m_lines[index];
}

void StringList::Put(qsizetype index, const QString& text)
{
    if (index < 0 || index >= m_lines.size())
        throw indexError(index);
    m_lines[index] = text;
}

} // namespace lexamo
