// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/HelpWindow.h"

#include "help/HelpMarkup.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <map>

namespace {
const QString kScheme = QStringLiteral("help");
const QString kAboutHelp = QStringLiteral("about-help");
const QString kUnavailable = QStringLiteral("unavailable");
constexpr int kContextRole = Qt::UserRole;

QUrl pageUrl(const QString &page)
{
    return QUrl(kScheme + QLatin1Char(':') + page);
}
QUrl topicUrl(int32_t context)
{
    return pageUrl(QString::number(context));
}

const char *const kHelpOnHelp = QT_TRANSLATE_NOOP(
    "HelpWindow",
    "<h2>Using Help</h2>\n"
    "<p>The list on the left leads you to every part of the help:</p>\n"
    "<ul>\n"
    "<li><b>Contents</b> lists the topics in reading order. Click one to read it.</li>\n"
    "<li><b>Index</b> lists the words the topics talk about. Type the first letters of a word\n"
    "to find it, then click it or press Enter.</li>\n"
    "</ul>\n"
    "<p>Underlined words in a topic lead to other topics. <b>Back</b> and <b>Forward</b> take\n"
    "you along the topics you have read.</p>\n"
    "<p>The help window stays open beside the game; close it whenever you like.</p>");
} // namespace

HelpBrowser::HelpBrowser(const HelpParseResult &help, const QString &path, QWidget *parent)
    : QTextBrowser(parent), mHelp(help), mPath(path)
{
    setOpenExternalLinks(false);
}

QVariant HelpBrowser::loadResource(int type, const QUrl &name)
{
    // An empty answer, not none: none would let the document fetch the resource itself.
    if (type != QTextDocument::HtmlResource || name.scheme() != kScheme)
        return QByteArray();
    return page(name);
}

void HelpBrowser::doSetSource(const QUrl &name, QTextDocument::ResourceType type)
{
    if (name.scheme() == kScheme)
        QTextBrowser::doSetSource(name, type);
}

QString HelpBrowser::page(const QUrl &name) const
{
    const QString what = name.path();
    if (what == kAboutHelp)
        return HelpWindow::tr(kHelpOnHelp);
    if (!mHelp.file || what == kUnavailable)
        return HelpWindow::tr("<h2>Help is not available</h2>"
                              "<p>The help file could not be read: %1.</p>"
                              "<p>It should be <tt>%2</tt>.</p>"
                              "<p>The game is not affected: close this window and play on.</p>")
            .arg(mHelp.error.toHtmlEscaped(), mPath.toHtmlEscaped());
    bool number = false;
    const int32_t context = what.toInt(&number);
    if (const HelpTopic *topic = number ? mHelp.file->topic(context) : nullptr)
        return helpTopicPage(*topic);
    return HelpWindow::tr("<h2>No help on this subject</h2>"
                          "<p>This help file has no topic numbered %1. "
                          "The <a href=\"%2\">contents</a> may lead you to what you need.</p>")
        .arg(what.toHtmlEscaped(), topicUrl(mHelp.file->topics.front().context).toString());
}

HelpWindow::HelpWindow(const QString &path) : mHelp(readHelpFile(path))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(mHelp.file && !mHelp.file->title.isEmpty() ? mHelp.file->title : tr("Help"));
    setWindowIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
    mBrowser = new HelpBrowser(mHelp, path, this);
    createControls();
    fillLists();
    resize(820, 540);
}

void HelpWindow::createControls()
{
    auto button = [this](const QString &text, QStyle::StandardPixmap icon) {
        auto *b = new QToolButton(this);
        b->setText(text);
        b->setIcon(style()->standardIcon(icon));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        return b;
    };
    QToolButton *contents = button(tr("&Contents"), QStyle::SP_FileDialogListView);
    QToolButton *index = button(tr("&Index"), QStyle::SP_FileDialogContentsView);
    mBack = button(tr("&Back"), QStyle::SP_ArrowBack);
    mForward = button(tr("&Forward"), QStyle::SP_ArrowForward);
    mBack->setEnabled(false);
    mForward->setEnabled(false);

    mContents = new QListWidget(this);
    mIndexFilter = new QLineEdit(this);
    mIndexFilter->setPlaceholderText(tr("Type a word to find"));
    mIndex = new QListWidget(this);
    auto *indexPage = new QWidget(this);
    auto *indexLayout = new QVBoxLayout(indexPage);
    indexLayout->setContentsMargins(0, 0, 0, 0);
    indexLayout->addWidget(mIndexFilter);
    indexLayout->addWidget(mIndex);
    mTabs = new QTabWidget(this);
    mTabs->addTab(mContents, tr("Contents"));
    mTabs->addTab(indexPage, tr("Index"));

    auto *splitter = new QSplitter(this);
    splitter->addWidget(mTabs);
    splitter->addWidget(mBrowser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({250, 570});

    auto *buttons = new QHBoxLayout;
    for (QToolButton *b : {contents, index, mBack, mForward})
        buttons->addWidget(b);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);

    connect(contents, &QToolButton::clicked, this, &HelpWindow::showContents);
    connect(index, &QToolButton::clicked, this, [this] {
        mTabs->setCurrentIndex(1);
        mIndexFilter->setFocus();
    });
    connect(mBack, &QToolButton::clicked, mBrowser, &QTextBrowser::backward);
    connect(mForward, &QToolButton::clicked, mBrowser, &QTextBrowser::forward);
    connect(mBrowser, &QTextBrowser::backwardAvailable, mBack, &QToolButton::setEnabled);
    connect(mBrowser, &QTextBrowser::forwardAvailable, mForward, &QToolButton::setEnabled);
    connect(mBrowser, &QTextBrowser::sourceChanged, this, &HelpWindow::followSource);
    for (QListWidget *list : {mContents, mIndex}) {
        connect(list, &QListWidget::itemClicked, this, &HelpWindow::showItem);
        connect(list, &QListWidget::itemActivated, this, &HelpWindow::showItem);
    }
    connect(mIndexFilter, &QLineEdit::textEdited, this, &HelpWindow::findInIndex);
    connect(mIndexFilter, &QLineEdit::returnPressed, this,
            [this] { showItem(mIndex->currentItem()); });
}

// The index names the topic beside a keyword only where the keyword leads to several.
void HelpWindow::fillLists()
{
    if (!mHelp.file)
        return;
    struct CaselessLess {
        bool operator()(const QString &a, const QString &b) const
        {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        }
    };
    std::map<QString, std::vector<const HelpTopic *>, CaselessLess> keywords;
    for (const HelpTopic &topic : mHelp.file->topics) {
        auto *item = new QListWidgetItem(topic.title, mContents);
        item->setData(kContextRole, topic.context);
        for (const QString &keyword : topic.keywords)
            keywords[keyword].push_back(&topic);
    }
    for (const auto &[keyword, topics] : keywords)
        for (const HelpTopic *topic : topics) {
            auto *item = new QListWidgetItem(
                topics.size() == 1 ? keyword : keyword + QStringLiteral(": ") + topic->title,
                mIndex);
            item->setData(kContextRole, topic->context);
        }
}

void HelpWindow::showContents()
{
    mTabs->setCurrentIndex(0);
    if (mHelp.file)
        showContext(mHelp.file->topics.front().context);
    else
        mBrowser->setSource(pageUrl(kUnavailable));
}

void HelpWindow::showContext(int32_t context)
{
    mBrowser->setSource(topicUrl(context));
}

void HelpWindow::showHelpOnHelp()
{
    mBrowser->setSource(pageUrl(kAboutHelp));
}

void HelpWindow::showItem(QListWidgetItem *item)
{
    if (item)
        showContext(item->data(kContextRole).toInt());
}

void HelpWindow::followSource(const QUrl &source)
{
    bool number = false;
    const int context = source.path().toInt(&number);
    for (int row = 0; number && row < mContents->count(); ++row)
        if (mContents->item(row)->data(kContextRole).toInt() == context) {
            mContents->setCurrentRow(row);
            return;
        }
    mContents->setCurrentRow(-1);
}

void HelpWindow::findInIndex(const QString &text)
{
    for (int row = 0; row < mIndex->count(); ++row)
        if (mIndex->item(row)->text().startsWith(text.trimmed(), Qt::CaseInsensitive)) {
            mIndex->setCurrentRow(row);
            return;
        }
}
