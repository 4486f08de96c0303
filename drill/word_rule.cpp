#include "word_rule.h"

namespace lexamo {

QStringList splitWords(const QString& sentence)
{
    return sentence.split(QChar(WordSeparator), Qt::KeepEmptyParts);
}

} // namespace lexamo
