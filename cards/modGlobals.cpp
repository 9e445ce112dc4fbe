// SPDX-License-Identifier: GPL-3.0-or-later
#include "cards/modGlobals.h"

namespace {
std::shared_ptr<CDeck> gclsDeckRef;
}

int32_t glCardBack = 0;
QString gsMusicFilename;

CDeck &gclsDeck()
{
    if (!gclsDeckRef)
        gclsDeckRef = std::make_shared<CDeck>();
    return *gclsDeckRef;
}

void newDeck()
{
    gclsDeckRef = std::make_shared<CDeck>();
}
