#pragma once

#include "speech/wave_stream.h"

#include <QString>

namespace lexamo {

/// Opens one of the embedded WAVE images ("SysPu", "Sysbubuu", "SysPingPong"), matching the name
/// without regard to case. The returned view points straight into the program image: nothing is
/// copied, and every open of the same sound yields the same bytes.
/// Throws lexamo::Error when no embedded sound has that name.
WaveStream openWaveResource(const QString& name);

} // namespace lexamo
