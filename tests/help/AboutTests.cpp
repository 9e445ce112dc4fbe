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
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace {

// One text value, "key|name", below the local-machine root; remembers which keys are open.
struct FakeRegistry : Registry {
    QString value;
    QByteArray text;
    std::set<HKEY> open;
    HKEY last = 100;

    int32_t RegOpenKeyEx(HKEY root, const QString &subKey, uint32_t, HKEY *result) override
    {
        if (root != HKEY_LOCAL_MACHINE || !value.startsWith(subKey + QLatin1Char('|')))
            return ERROR_FILE_NOT_FOUND;
        open.insert(*result = ++last);
        return ERROR_SUCCESS;
    }
    int32_t RegQueryValueEx(HKEY key, const QString &name, uint32_t *type,
                            QByteArray *data) override
    {
        if (!open.count(key) || !value.endsWith(QLatin1Char('|') + name))
            return ERROR_FILE_NOT_FOUND;
        if (text.size() > data->size())
            return ERROR_MORE_DATA;
        *type = REG_SZ;
        *data = text;
        return ERROR_SUCCESS;
    }
    int32_t RegCloseKey(HKEY key) override { return open.erase(key), ERROR_SUCCESS; }
};

struct ScopedSystem {
    ScopedSystem()
    {
        setRegistry(std::unique_ptr<Registry>(registry));
        setProgramLauncher([this](const QString &program) {
            started << program;
            return launches;
        });
        QCoreApplication::setApplicationName(QStringLiteral("Marrowby"));
    }
    ~ScopedSystem()
    {
        setRegistry(nullptr);
        setProgramLauncher({});
    }
    FakeRegistry *registry = new FakeRegistry;
    QStringList started;
    bool launches = true;
};

TEST(About, SystemInfoStartsWhatTheRegistryNamesOrSaysItIsUnavailable)
{
    QTemporaryDir withTool, withoutTool;
    const QString tool = withTool.filePath(QStringLiteral("msinfo32.exe"));
    ASSERT_TRUE(writeFile(tool, {}));
    const QString first = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH");
    const QString second = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO");
    const struct {
        QString value; // none: neither key
        QByteArray text;
        bool launches;
        QString started; // none: the message box shows
    } cases[] = {
        {{}, {}, true, {}},
        {first, QByteArray("/no/such/tool\0junk", 18), true, QStringLiteral("/no/such/tool")},
        {first, "/x", false, {}},
        {first, QByteArray(2000, 'x'), true, {}},
        {second, withTool.path().toLocal8Bit(), true, tool},
        {second, withoutTool.path().toLocal8Bit(), true, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.value.toStdString() + c.text.left(20).toStdString());
        ScopedSystem system;
        system.registry->value = c.value;
        system.registry->text = c.text;
        system.launches = c.launches;
        frmAbout about;
        about.show();
        const SeenModal seen = whileModal([&] { about.cmdSysInfo->click(); }, Qt::Key_Return);
        if (c.started.isEmpty())
            EXPECT_EQ(std::tuple(seen.title, seen.text, seen.icon),
                      std::tuple(QStringLiteral("Marrowby"),
                                 QStringLiteral("System Information Is Unavailable At This Time"),
                                 QMessageBox::NoIcon));
        else
            EXPECT_EQ(system.started, QStringList{c.started});
        EXPECT_TRUE(about.isVisible());
        EXPECT_TRUE(system.registry->open.empty());
    }
}

class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl &url) { urls << url; }
};

// Every entry from the window. Contents twice goes through one instance, and only help that
// was opened is quit at the close; the About box closes by Enter or Escape and is let go;
// the games page opens once a click, on the host one build setting names for the link and
// for the desktop's software centre alike.
TEST(HelpMenu, EveryEntryFromTheWindow)
{
    const QUrl page(QStringLiteral("https://" MARROWBY_HOMEPAGE_HOST "/games/index.htm"));
    QStringList calls; // "from the window, command, data"
    setWinHelpHook([&](QWidget *owner, const QString &file, uint32_t command, uintptr_t data) {
        EXPECT_EQ(file, clsWinHelp::HelpFile());
        calls << QStringLiteral("%1 %2 %3")
                     .arg(qobject_cast<frmMain *>(owner) != nullptr)
                     .arg(command)
                     .arg(data);
        return true;
    });
    ScopedFakeMidi midi;
    ScopedSystem system;
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    frmMain().close();
    EXPECT_TRUE(calls.isEmpty());

    frmMain form;
    form.mnuHelpContents->trigger();
    const clsWinHelp *first = form.mclsHelp.get();
    form.mnuHelpContents->trigger();
    EXPECT_EQ(form.mclsHelp.get(), first);
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape})
        EXPECT_EQ(whileModal([&] { form.mnuHelpAbout->trigger(); }, key).title,
                  QStringLiteral("About Marrowby"));
    EXPECT_TRUE(form.findChildren<frmAbout *>().isEmpty());
    form.mnuHelpHvGames->trigger();
    form.mnuHelpHvGames->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    EXPECT_EQ(catcher.urls, QList<QUrl>({page, page}));
    form.close();
    setWinHelpHook({});
    EXPECT_EQ(calls, QStringList({QStringLiteral("1 3 0"), QStringLiteral("1 3 0"),
                                  QStringLiteral("1 2 0")}));

    QFile metainfo(QStringLiteral(MARROWBY_METAINFO));
    ASSERT_TRUE(metainfo.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(metainfo.readAll())
                    .contains(QStringLiteral("<url type=\"homepage\">") + page.toString() +
                              QStringLiteral("</url>")));
}

} // namespace

#include "AboutTests.moc"
