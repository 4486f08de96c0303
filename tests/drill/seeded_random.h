#pragma once

#include "drill/random_generator.h"

#include <deque>
#include <new>
#include <vector>

namespace lexamo {

/// Hands out a scripted sequence of draws, then falls back to a seeded generator. Records every
/// bound it was asked for, so tests can check how many draws of which range were made.
class ScriptedRandom : public RandomGenerator
{
public:
    explicit ScriptedRandom(std::deque<int> script = {}, std::uint32_t seed = 1)
        : m_script(std::move(script)), m_fallback(seed)
    {
    }
    int draw(int m) override
    {
        if (outOfMemory)
            throw std::bad_alloc();
        bounds.push_back(m);
        if (m_script.empty())
            return m_fallback.draw(m);
        const int value = m_script.front();
        m_script.pop_front();
        return value;
    }
    std::vector<int> bounds;
    /// Every draw fails as if memory ran out, for the paths that must survive that.
    bool outOfMemory = false;

private:
    std::deque<int> m_script;
    MtRandomGenerator m_fallback;
};

} // namespace lexamo
