#include "word_rule.h"

namespace lexamo {

QStringList splitWords(const QString& sentence)
{
    return sentence.split(QChar(u' '), Qt::KeepEmptyParts);
}

} // namespace lexamo
