// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Languages.h"

#include <QLocale>

QStringList wantedLanguages()
{
    QStringList wanted;
    for (QString language : QLocale().uiLanguages()) {
        language.replace(QLatin1Char('-'), QLatin1Char('_'));
        const QString base = language.section(QLatin1Char('_'), 0, 0);
        if (base == QLatin1String("en") || base == QLatin1String("C"))
            break;
        for (const QString &name : {language, base})
            if (!wanted.contains(name))
                wanted.append(name);
    }
    return wanted;
}
