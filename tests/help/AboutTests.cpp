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

namespace
{

// A registry holding the values a test gives it, under the local-machine root.
class FakeRegistry : public Registry
{
  public:
    struct Value {
        QString key, name;
        uint32_t type;
        QByteArray bytes;
    };
    std::vector<Value> values;
    std::map<HKEY, QString> open; // what is open now

    int32_t RegOpenKeyEx(HKEY root, const QString &subKey, uint32_t, HKEY *result) override
    {
        for (const Value &v : values)
            if (root == HKEY_LOCAL_MACHINE && v.key.compare(subKey, Qt::CaseInsensitive) == 0) {
                *result = mNext++;
                open[*result] = subKey;
                return ERROR_SUCCESS;
            }
        return ERROR_FILE_NOT_FOUND;
    }
    int32_t RegQueryValueEx(HKEY key, const QString &name, uint32_t *type,
                            QByteArray *data) override
    {
        for (const Value &v : values)
            if (open.count(key) && v.key.compare(open[key], Qt::CaseInsensitive) == 0 &&
                v.name == name) {
                if (v.bytes.size() > data->size())
                    return ERROR_MORE_DATA;
                *type = v.type;
                *data = v.bytes;
                return ERROR_SUCCESS;
            }
        return ERROR_FILE_NOT_FOUND;
    }
    int32_t RegCloseKey(HKEY key) override
    {
        open.erase(key);
        return ERROR_SUCCESS;
    }

  private:
    HKEY mNext = 100;
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
    EXPECT_FALSE(about.lblDescription->text().isEmpty());
    EXPECT_EQ(about.size(), QSize(328, 159));
    EXPECT_EQ(about.cmdOK->geometry(), QRect(235, 99, 84, 23));
    EXPECT_EQ(about.cmdSysInfo->geometry(), QRect(236, 129, 83, 23));
    EXPECT_FALSE(about.Image1->pixmap().isNull());
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
    const QByteArray toolFolder = withTool.path().toLocal8Bit() + '\0';
    const struct {
        const char *name;
        std::vector<FakeRegistry::Value> values;
        bool launches;
        QString started; // empty: the message box shows
    } cases[] = {
        {"no keys", {}, true, {}},
        {"first key",
         {{kSysInfoKey, QStringLiteral("PATH"), 1, "/no/such/tool\0"}},
         true,
         QStringLiteral("/no/such/tool")},
        {"first key, start fails", {{kSysInfoKey, QStringLiteral("PATH"), 1, "/x"}}, false, {}},
        {"second key with the tool",
         {{kLocationKey, QStringLiteral("MSINFO"), 1, toolFolder}},
         true,
         tool.fileName()},
        {"second key without it",
         {{kLocationKey, QStringLiteral("MSINFO"), 1, withoutTool.path().toLocal8Bit()}},
         true,
         {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ScopedSystem system;
        system.registry->values = c.values;
        system.launches = c.launches;
        frmAbout about;
        about.show();
        const Modal seen = whileModal([&] { about.cmdSysInfo->click(); });
        EXPECT_EQ(seen.shown, c.started.isEmpty());
        if (c.started.isEmpty()) {
            EXPECT_EQ(seen.caption, QStringLiteral("Marrowby"));
            EXPECT_EQ(seen.text, QStringLiteral("System Information Is Unavailable At This Time"));
        } else {
            EXPECT_EQ(system.started.last(), c.started);
        }
        EXPECT_TRUE(about.isVisible());
        EXPECT_TRUE(system.registry->open.empty());
    }
}

TEST(About, GetKeyValueReadsStringsAndNumbers)
{
    ScopedSystem system;
    const QString key = QStringLiteral("K");
    system.registry->values = {
        {key, QStringLiteral("text"), Registry::REG_SZ, QByteArray("C:\\Tools\0junk", 13)},
        {key, QStringLiteral("number"), Registry::REG_DWORD, QByteArray("\x0a\x01\x00\x00", 4)},
        {key, QStringLiteral("binary"), 3, "ab"},
        {key, QStringLiteral("huge"), Registry::REG_SZ, QByteArray(2000, 'x')},
    };
    frmAbout about;
    QString value = QStringLiteral("before");
    const Registry::HKEY root = Registry::HKEY_LOCAL_MACHINE;
    EXPECT_TRUE(about.GetKeyValue(root, key, QStringLiteral("text"), value));
    EXPECT_EQ(value, QStringLiteral("C:\\Tools"));
    EXPECT_TRUE(about.GetKeyValue(root, key, QStringLiteral("number"), value));
    EXPECT_EQ(value, QStringLiteral("266"));
    EXPECT_TRUE(about.GetKeyValue(root, key, QStringLiteral("binary"), value));
    EXPECT_EQ(value, QStringLiteral("266")); // left as it was
    EXPECT_FALSE(about.GetKeyValue(root, key, QStringLiteral("huge"), value));
    EXPECT_EQ(value, QString());
    value = QStringLiteral("before");
    EXPECT_FALSE(about.GetKeyValue(root, QStringLiteral("Nowhere"), QStringLiteral("x"), value));
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
    EXPECT_TRUE(gamesWebPage().host().endsWith(QStringLiteral(".example.org")));
}

} // namespace

#include "AboutTests.moc"
