// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/frmAbout.h"
#include "help/WinHelp.h"
#include "help/clsWinHelp.h"
#include "game/frmMain.h"
#include "platform/ProgramLauncher.h"
#include "platform/Registry.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QDesktopServices>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// One text value, "key|name", below the local-machine root; a key is known by its end.
struct FakeRegistry : Registry {
    QString value;
    QByteArray text;

    int32_t RegOpenKeyEx(HKEY root, const QString &subKey, uint32_t, HKEY *) override
    {
        const bool found = root == HKEY_LOCAL_MACHINE && !value.isEmpty() &&
                           subKey.endsWith(u'\\' + value.section(u'|', 0, 0));
        return found ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    }
    int32_t RegQueryValueEx(HKEY, const QString &name, uint32_t *type, QByteArray *data) override
    {
        *type = REG_SZ;
        *data = text;
        return value.endsWith(u'|' + name) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    }
    int32_t RegCloseKey(HKEY) override { return ERROR_SUCCESS; }
};

TEST(About, SystemInfoStartsWhatTheRegistryNamesOrSaysItIsUnavailable)
{
    QTemporaryDir withTool;
    const QString tool = withTool.filePath(QStringLiteral("msinfo32.exe"));
    ASSERT_TRUE(writeFile(tool, {}));
    const struct {
        QString value; // none: neither key
        QByteArray text;
        QStringList started;
        bool launches = true; // false: the message box shows all the same
    } cases[] = {
        {{}, {}, {}},
        {QStringLiteral("Shared Tools\\MSINFO|PATH"),
         QByteArray("/no/such/tool\0junk", 18),
         {QStringLiteral("/no/such/tool")}},
        {QStringLiteral("Shared Tools\\MSINFO|PATH"), "/x", {QStringLiteral("/x")}, false},
        {QStringLiteral("Shared Tools Location|MSINFO"), withTool.path().toLocal8Bit(), {tool}},
    };
    QStringList started;
    bool launches = true;
    setProgramLauncher([&](const QString &program) {
        started << program;
        return launches;
    });
    for (const auto &c : cases) {
        auto registry = std::make_unique<FakeRegistry>();
        registry->value = c.value;
        registry->text = c.text;
        setRegistry(std::move(registry));
        started.clear();
        launches = c.launches;
        frmAbout about;
        about.show();
        const SeenModal seen = whileModal([&] { about.cmdSysInfo->click(); }, Qt::Key_Return);
        EXPECT_EQ(started, c.started);
        const QString unavailable =
            QStringLiteral("System Information Is Unavailable At This Time");
        EXPECT_EQ(seen.text, c.started.isEmpty() || !c.launches ? unavailable : QString());
        EXPECT_TRUE(about.isVisible());
    }
    setRegistry(nullptr);
    setProgramLauncher({});
}

class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl &url) { urls << url; }
};

// Contents twice goes through one help instance, which is quit at the close; the About box
// closes by Enter or Escape and is let go; the games page opens at each click.
TEST(HelpMenu, EveryEntryFromTheWindow)
{
    QStringList calls; // "command data"
    setWinHelpHook([&](QWidget *, const QString &file, uint32_t command, uintptr_t data) {
        EXPECT_EQ(file, clsWinHelp::HelpFile());
        calls << QStringLiteral("%1 %2").arg(command).arg(data);
        return true;
    });
    ScopedFakeMidi midi;
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    frmMain form;
    form.mnuHelpContents->trigger();
    const clsWinHelp *first = form.mclsHelp.get();
    form.mnuHelpContents->trigger();
    EXPECT_EQ(form.mclsHelp.get(), first);
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape})
        EXPECT_TRUE(
            whileModal([&] { form.mnuHelpAbout->trigger(); }, key).title.startsWith(u"About"));
    EXPECT_TRUE(form.findChildren<frmAbout *>().isEmpty());
    form.mnuHelpHvGames->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    EXPECT_EQ(catcher.urls, QList<QUrl>{QUrl(QStringLiteral("https://" MARROWBY_HOMEPAGE_HOST
                                                            "/games/index.htm"))});
    form.close();
    setWinHelpHook({});
    EXPECT_EQ(calls,
              QStringList({QStringLiteral("3 0"), QStringLiteral("3 0"), QStringLiteral("2 0")}));
}

} // namespace

#include "AboutTests.moc"
