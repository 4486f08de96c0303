#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace lexamo {

/// An ordered list of strings that allows duplicates. Reading outside 0..Count()-1 raises the
/// index error the learner would see, instead of undefined behaviour.
///
/// All entries live back to back in one text buffer and each entry is a span of it, so a list of
/// millions of lines costs two allocations rather than one per line. Both the buffer and the
/// spans are implicitly shared: copying a list is cheap.
class StringList
{
public:
    /// Where one entry lies in the buffer, in UTF-16 units.
    struct Span
    {
        qsizetype offset;
        qsizetype length;
    };

    StringList() = default;
    explicit StringList(const QStringList& lines) { assign(lines); }

    /// Takes over an already decoded text whose entries are the given spans, without copying.
    /// Every span must lie within the text.
    static StringList fromText(QString text, QList<Span> spans);

    qsizetype Count() const { return m_spans.size(); }
    /// A copy of the entry, independent of the list.
    QString operator[](qsizetype index) const;
    /// The entry itself, valid until the list is next changed or destroyed.
    QStringView view(qsizetype index) const;
    /// The old text stays in the buffer as garbage: lists that are edited are small and are
    /// cleared before they are filled again.
    void Put(qsizetype index, const QString& text);
    void Add(const QString& text);
    void Clear();

    /// Replaces the whole content at once.
    void assign(const QStringList& lines);
    QStringList lines() const;

    /// The buffer the spans point into (including text no entry uses any more) and the spans.
    const QString& text() const { return m_text; }
    const QList<Span>& spans() const { return m_spans; }

private:
    void checkIndex(qsizetype index) const;

    QString m_text;
    QList<Span> m_spans;
};

} // namespace lexamo
