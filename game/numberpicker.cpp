#include "numberpicker.h"

#include "drawstate.h"
#include "platform/clock.h"
#include "platform/randomsource.h"

int pickNumber(const DrawState& state, RandomSource& random, const Clock& clock)
{
    Q_ASSERT(!state.isComplete());
    for (;;) {
        random.stir(clock.ticks());
        const int n = pickFromOneTo(random, DrawState::Numbers);
        if (!state.isDrawn(n))
            return n;
    }
}
