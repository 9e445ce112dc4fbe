// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmAbout.h"
#include "game/frmMain.h"
#include "platform/ProgramLauncher.h"
#include "platform/Registry.h"
#include "platform/modHyperlink.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <map>
#include <tuple>

namespace {

// A registry with the values a test gives it, each under "key|name", below the local-machine
// root; it remembers which keys are open.
class FakeRegistry : public Registry
{
public:
    std::map<QString, std::pair<uint32_t, QByteArray>> values;
    std::map<HKEY, QString> open;

    int32_t RegOpenKeyEx(HKEY root, const QString &subKey, uint32_t, HKEY *result) override
    {
        const auto it = values.lower_bound(subKey + QLatin1Char('|'));
        if (root != HKEY_LOCAL_MACHINE || it == values.end() ||
            !it->first.startsWith(subKey + QLatin1Char('|')))
            return ERROR_FILE_NOT_FOUND;
        *result = ++mLast;
        open[*result] = subKey;
        return ERROR_SUCCESS;
    }
    int32_t RegQueryValueEx(HKEY key, const QString &name, uint32_t *type,
                            QByteArray *data) override
    {
        const auto it = values.find(open.at(key) + QLatin1Char('|') + name);
        if (it == values.end())
            return ERROR_FILE_NOT_FOUND;
        if (it->second.second.size() > data->size())
            return ERROR_MORE_DATA;
        std::tie(*type, *data) = it->second;
        return ERROR_SUCCESS;
    }
    int32_t RegCloseKey(HKEY key) override { return open.erase(key), ERROR_SUCCESS; }

private:
    HKEY mLast = 100;
};

const QString kSysInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

struct ScopedSystem {
    ScopedSystem()
    {
        auto fake = std::make_unique<FakeRegistry>();
        registry = fake.get();
        setRegistry(std::move(fake));
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
    FakeRegistry *registry;
    QStringList started;
    bool launches = true;
};

// Runs work; a modal window it opens is noted (caption and text) and dismissed with key.
struct Modal {
    QString caption, text;
    bool shown = false;
};
Modal whileModal(const std::function<void()> &work, Qt::Key key = Qt::Key_Return)
{
    Modal seen;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        seen.shown = true;
        seen.caption = modal->windowTitle();
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            seen.text = box->text();
        QTest::keyClick(modal, key);
    });
    timer.start(0);
    work();
    return seen;
}

TEST(About, ShowsTitleVersionCreditAndTheEtchedRule)
{
    ScopedSystem system;
    frmAbout about;
    about.show();
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Marrowby"));
    EXPECT_EQ(about.lblTitle->text(), QStringLiteral("Marrowby"));
    EXPECT_EQ(about.lblVersion->text(), QStringLiteral("Version 1.0.20"));
    EXPECT_EQ(about.cmdOK->nextInFocusChain(), about.cmdSysInfo);
    const QImage image = about.grab().toImage();
    EXPECT_EQ(image.pixelColor(20, 91), QColor(128, 128, 128));
    EXPECT_EQ(image.pixelColor(20, 92), QColor(Qt::white));
}

TEST(About, EnterAndEscapeBothCloseTheBoxOpenedFromTheMenu)
{
    ScopedFakeMidi midi;
    ScopedSystem system;
    frmMain form;
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        const Modal seen = whileModal([&] { form.mnuHelpAbout->trigger(); }, key);
        EXPECT_TRUE(seen.shown);
        EXPECT_EQ(seen.caption, QStringLiteral("About Marrowby"));
    }
    EXPECT_TRUE(form.findChildren<frmAbout *>().isEmpty()); // released after closing
}

TEST(About, SystemInfoStartsWhatTheRegistryNamesOrSaysItIsUnavailable)
{
    QTemporaryDir withTool, withoutTool;
    QFile tool(withTool.filePath(QStringLiteral("msinfo32.exe")));
    ASSERT_TRUE(tool.open(QIODevice::WriteOnly));
    tool.close();
    const QString first = kSysInfoKey + QStringLiteral("|PATH");
    const QString second = kLocationKey + QStringLiteral("|MSINFO");
    const struct {
        QString value; // none: neither key
        QByteArray text;
        bool launches;
        QString started; // none: the message box shows
    } cases[] = {
        {{}, {}, true, {}},
        {first, QByteArray("/no/such/tool", 14), true, QStringLiteral("/no/such/tool")},
        {first, "/x", false, {}},
        {second, withTool.path().toLocal8Bit(), true, tool.fileName()},
        {second, withoutTool.path().toLocal8Bit(), true, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.value.toStdString() + c.text.toStdString());
        ScopedSystem system;
        if (!c.value.isEmpty())
            system.registry->values[c.value] = {Registry::REG_SZ, c.text};
        system.launches = c.launches;
        frmAbout about;
        about.show();
        const Modal seen = whileModal([&] { about.cmdSysInfo->click(); });
        EXPECT_EQ(seen.shown, c.started.isEmpty());
        if (c.started.isEmpty()) {
            EXPECT_EQ(seen.caption, QStringLiteral("Marrowby"));
            EXPECT_EQ(seen.text, QStringLiteral("System Information Is Unavailable At This Time"));
        } else {
            EXPECT_EQ(system.started, QStringList{c.started});
        }
        EXPECT_TRUE(about.isVisible());
        EXPECT_TRUE(system.registry->open.empty());
    }
}

TEST(About, GetKeyValueReadsStringsToTheirEndAndNumbersInDecimal)
{
    ScopedSystem system;
    system.registry->values = {
        {QStringLiteral("K|text"), {Registry::REG_SZ, QByteArray("C:\\Tools\0junk", 13)}},
        {QStringLiteral("K|number"), {Registry::REG_DWORD, QByteArray("\x0a\x01\x00\x00", 4)}},
        {QStringLiteral("K|huge"), {Registry::REG_SZ, QByteArray(2000, 'x')}},
    };
    frmAbout about;
    QString value;
    const Registry::HKEY root = Registry::HKEY_LOCAL_MACHINE;
    EXPECT_TRUE(about.GetKeyValue(root, QStringLiteral("K"), QStringLiteral("text"), value));
    EXPECT_EQ(value, QStringLiteral("C:\\Tools"));
    EXPECT_TRUE(about.GetKeyValue(root, QStringLiteral("K"), QStringLiteral("number"), value));
    EXPECT_EQ(value, QStringLiteral("266"));
    EXPECT_FALSE(about.GetKeyValue(root, QStringLiteral("K"), QStringLiteral("huge"), value));
    EXPECT_EQ(value, QString());
    EXPECT_TRUE(system.registry->open.empty());
}

class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl &url) { urls << url; }
};

TEST(WebLink, AsksTheOpenerOncePerClickAndGoesOn)
{
    ScopedFakeMidi midi;
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    frmMain form;
    form.mnuHelpHvGames->trigger();
    EXPECT_EQ(catcher.urls.size(), 1);
    form.mnuHelpHvGames->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    ASSERT_EQ(catcher.urls.size(), 2);
    EXPECT_EQ(catcher.urls[1], gamesWebPage());
    EXPECT_EQ(gamesWebPage().path(), QStringLiteral("/games/index.htm"));
}

} // namespace

#include "AboutTests.moc"
