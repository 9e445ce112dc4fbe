// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cards/CDeck.h"

#include <QString>

#include <cstdint>
#include <memory>

// What the main window and the option dialogs share.
// The deck, made on first use.
CDeck &gclsDeck();
// Replaces the deck by a brand-new one (the first deal does this).
void newDeck();

extern int32_t glCardBack;      // the chosen card-back number
extern QString gsMusicFilename; // full path of the victory song; empty for none
