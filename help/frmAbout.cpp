// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/frmAbout.h"

#include "platform/FittingFont.h"
#include "platform/ProgramFolder.h"
#include "platform/ProgramLauncher.h"
#include "resources/Images.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace {
constexpr int kRuleY = 91;

QString programTitle()
{
    return QCoreApplication::applicationName();
}

QLabel *label(QWidget *parent, QRect geometry)
{
    auto *l = new QLabel(parent);
    l->setGeometry(geometry);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setWordWrap(true);
    QPalette palette = l->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    l->setPalette(palette);
    return l;
}
} // namespace

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setFixedSize(328, 159);
    setWindowIcon(programIcon());
    createControls();
    Form_Load();
    mGrowth = formGrowth(this);
    growForm(this, mGrowth);
}

void frmAbout::createControls()
{
    Image1 = new QLabel(this);
    Image1->setGeometry(16, 16, 32, 32);
    Image1->setPixmap(programIcon().pixmap(QSize(32, 32), devicePixelRatioF()));

    lblTitle = label(this, {56, 4, 259, 32});
    // 12 points over the classic 9, and as much larger than a larger desktop font.
    QFont titleFont = lblTitle->font();
    if (titleFont.pointSizeF() > 0)
        titleFont.setPointSizeF(std::max(12.0, titleFont.pointSizeF() * 4 / 3));
    else
        titleFont.setPixelSize(titleFont.pixelSize() * 4 / 3);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblVersion = label(this, {60, 28, 259, 15});
    lblDescription = label(this, {60, 68, 259, 34});
    lblDescription->setText(tr("Developed by the Marrowby developers."));

    cmdOK = new QPushButton(tr("OK"), this);
    cmdOK->setGeometry(235, 99, 84, 23);
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(tr("&System Info..."), this);
    cmdSysInfo->setGeometry(236, 129, 83, 23);
    setTabOrder(cmdOK, cmdSysInfo);
    cmdOK->setFocus();

    // Escape rejects the dialog, which closes it as OK does.
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
}

void frmAbout::Form_Load()
{
    setWindowTitle(tr("About %1").arg(programTitle()));
    lblVersion->setText(tr("Version %1.%2.%3")
                            .arg(MARROWBY_VERSION_MAJOR)
                            .arg(MARROWBY_VERSION_MINOR)
                            .arg(MARROWBY_VERSION_PATCH));
    lblTitle->setText(programTitle());
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int ruleY = static_cast<int>(std::lround(kRuleY * mGrowth));
    painter.fillRect(0, ruleY, width(), 1, QColor(128, 128, 128));
    painter.fillRect(0, ruleY + 1, width(), 2, Qt::white);
}

void frmAbout::StartSysInfo()
{
    const Registry::HKEY root = Registry::HKEY_LOCAL_MACHINE;
    QString path;
    if (GetKeyValue(root, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                    QStringLiteral("PATH"), path)) {
        if (startProgram(path))
            return;
    } else if (GetKeyValue(root, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                           QStringLiteral("MSINFO"), path)) {
        const QString tool =
            resolveIgnoringCase(QDir(path).filePath(QStringLiteral("MSINFO32.EXE")));
        if (QFileInfo(tool).isFile() && startProgram(tool))
            return;
    }
    QMessageBox(QMessageBox::NoIcon, programTitle(),
                tr("System Information Is Unavailable At This Time"), QMessageBox::Ok, this)
        .exec();
}

// Asks only for reading: write access to the machine's keys is refused to most users.
// A string ends at its first zero; a 32-bit number is written out in decimal.
bool frmAbout::GetKeyValue(Registry::HKEY KeyRoot, const QString &KeyName, const QString &SubKeyRef,
                           QString &KeyVal)
{
    Registry &reg = registry();
    Registry::HKEY key = 0;
    if (reg.RegOpenKeyEx(KeyRoot, KeyName, Registry::KEY_READ, &key) != Registry::ERROR_SUCCESS) {
        KeyVal.clear();
        return false;
    }
    uint32_t type = 0;
    QByteArray buffer(1024, '\0');
    const bool read =
        reg.RegQueryValueEx(key, SubKeyRef, &type, &buffer) == Registry::ERROR_SUCCESS;
    reg.RegCloseKey(key);
    if (!read) {
        KeyVal.clear();
        return false;
    }
    if (type == Registry::REG_SZ) {
        if (const qsizetype end = buffer.indexOf('\0'); end >= 0)
            buffer.truncate(end);
        KeyVal = QString::fromLocal8Bit(buffer);
    } else if (type == Registry::REG_DWORD && buffer.size() == 4)
        KeyVal = QString::number(qFromLittleEndian<uint32_t>(buffer.constData()));
    return true;
}
