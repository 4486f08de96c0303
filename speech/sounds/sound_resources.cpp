#include "sound_resources.h"

#include "courses/error.h"

#include <QDir>
#include <QResource>

namespace lexamo {

namespace {

const QString wavePrefix = QStringLiteral(":/WAVE/");

} // namespace

WaveStream openWaveResource(const QString& name)
{
    const QStringList available = QDir(wavePrefix).entryList(QDir::Files);
    for (const QString& entry : available) {
        if (entry.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const QResource resource(wavePrefix + entry);
        // A compressed entry would have to be unpacked into a copy; the build stores them raw.
        if (resource.compressionAlgorithm() != QResource::NoCompression)
            throw Error(QStringLiteral("The sound \"%1\" is stored compressed.").arg(entry));
        return WaveStream{entry, resource.data(), resource.size()};
    }
    throw Error(QStringLiteral("The sound \"%1\" is not in the program.").arg(name));
}

} // namespace lexamo
