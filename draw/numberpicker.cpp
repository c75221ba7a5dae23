#include "numberpicker.h"

#include "app/clock.h"
#include "app/randomsource.h"
#include "drawstate.h"

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
