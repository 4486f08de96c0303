#include "time_stretch.h"

#include <memory>
#include <sonic.h>

namespace lexamo {

PcmBuffer stretchTime(const PcmBuffer& pcm, double speed)
{
    PcmBuffer out;
    out.sampleRate = pcm.sampleRate;
    if (pcm.samples.empty() || pcm.sampleRate <= 0)
        return out;

    const std::unique_ptr<sonicStreamStruct, decltype(&sonicDestroyStream)> stream(
        sonicCreateStream(pcm.sampleRate, 1), &sonicDestroyStream);
    sonicSetSpeed(stream.get(), static_cast<float>(speed));
    // sonic's write takes a non-const pointer but only reads from it.
    sonicWriteShortToStream(stream.get(), const_cast<short*>(pcm.samples.data()),
                            static_cast<int>(pcm.samples.size()));
    sonicFlushStream(stream.get());

    out.samples.resize(static_cast<std::size_t>(sonicSamplesAvailable(stream.get())));
    const int read = sonicReadShortFromStream(stream.get(), out.samples.data(),
                                              static_cast<int>(out.samples.size()));
    out.samples.resize(static_cast<std::size_t>(read));
    return out;
}

} // namespace lexamo
