#pragma once

#include <QString>
#include <QStringList>

namespace lexamo {

/// An ordered list of strings that allows duplicates. Reading outside 0..Count()-1 raises the
/// index error the learner would see, instead of undefined behaviour.
class StringList
{
public:
    StringList() = default;
    explicit StringList(QStringList lines) : m_lines(std::move(lines)) {}

    qsizetype Count() const { return m_lines.size(); }
    const QString& operator[](qsizetype index) const;
    void Put(qsizetype index, const QString& text);
    void Add(const QString& text) { m_lines.append(text); }
    void Clear() { m_lines.clear(); }

    /// Replaces the whole content at once.
    void assign(QStringList lines) { m_lines = std::move(lines); }
    const QStringList& lines() const { return m_lines; }

private:
    QStringList m_lines;
};

} // namespace lexamo
