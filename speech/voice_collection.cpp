#include "courses/error.h"
#include "speech_engine.h"

namespace lexamo {

const VoiceToken& VoiceCollection::Item(int index) const
{
    if (index < 0 || index >= Count())
        throw indexError(index);
    return m_voices[static_cast<std::size_t>(index)];
}

} // namespace lexamo
