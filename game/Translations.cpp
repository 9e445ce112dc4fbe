// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Translations.h"

#include "platform/Languages.h"
#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// The first of the wanted languages that has a translation named `name`_<language>.qm in
// the folder; the translator lives as long as the application that owns it.
void install(QCoreApplication &app, const QString &name, const QString &folder)
{
    for (const QString &language : wantedLanguages()) {
        auto *translator = new QTranslator(&app);
        if (translator->load(name + QLatin1Char('_') + language, folder)) {
            QCoreApplication::installTranslator(translator);
            return;
        }
        delete translator;
    }
}

} // namespace

void installTranslations(QCoreApplication &app)
{
    install(app, QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    install(app, QStringLiteral("marrowby"), AppPath());
}
