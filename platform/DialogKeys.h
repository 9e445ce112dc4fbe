// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QDialog;

// Keys in a dialog without a default or a cancel button, as the old desktop had them:
// Return and Enter press the push button that has the focus and nothing else, and Escape
// does nothing, so only the close box cancels. Call once the dialog's buttons exist.
void useDialogKeysWithoutDefaults(QDialog *dialog);
