// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/UfVersion.h"

#include "dialogs/UPaintKboard.h"
#include "platform/DialogFrame.h"
#include "platform/Icons.h"
#include "platform/Shell.h"
#include "ui_UfVersion.h"

#include <QCoreApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>

namespace {
QString NoticeText() {
    return QCoreApplication::translate("TfrmVersion", "© 2026 TYPORIN プロジェクト");
}
QString MailHint() {
    return QCoreApplication::translate("TfrmVersion", "作者へメールを送る");
}
QString LicenceText() {
    return QCoreApplication::translate("TfrmVersion", "ライセンス: GPL-3.0-or-later");
}
QString LicenceHint() {
    return QCoreApplication::translate(
        "TfrmVersion", "TYPORIN は自由ソフトウェアです。GNU 一般公衆利用許諾書 (GPL) の第 3 版、\n"
                       "またはそれ以降の版の条件で、再配布や改変ができます。無保証です。\n"
                       "くわしくは LICENSE ファイルを見てください。");
}
} // namespace

TfrmVersion::TfrmVersion(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TfrmVersion>()) {
    ui->setupUi(this);
    SetFixedDialogFrame(this, {315, 205});
    setWindowFlag(Qt::WindowStaysOnTopHint);
    connect(ui->Button1, &QPushButton::clicked, this, &QDialog::accept);
    FormCreate();
}

TfrmVersion::~TfrmVersion() = default;

QString TfrmVersion::VersionText() {
    return QStringLiteral("TYPORIN ver. " TYPORIN_VERSION);
}

void TfrmVersion::FormCreate() {
    FLogo = std::make_unique<TPaintLogo>();
    ui->Image1->setPixmap(ProgramIcon(QStringLiteral("typorin")).pixmap(32, 32));
    ui->Label1->setText(VersionText());
    ui->Label2->setText(NoticeText());
    QFont small = font();
    small.setPixelSize(12);
    ui->Label6->setFont(small);
    ui->Label6->setText(LicenceText());
    ui->Label6->setToolTip(LicenceHint());

    QLabel* mail = ui->Label3;
    mail->setText(AuthorMailAddress);
    QPalette palette = mail->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    mail->setPalette(palette);
    QFont font = mail->font();
    font.setUnderline(true);
    mail->setFont(font);
    mail->setCursor(Qt::PointingHandCursor);
    mail->setToolTip(MailHint());
    mail->adjustSize();
    mail->installEventFilter(this);
}

void TfrmVersion::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    FLogo->Paint(painter);
}

bool TfrmVersion::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->Label3 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Label3Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// The same mail command as the main window's banner.
void TfrmVersion::Label3Click() {
    OpenAuthorMail();
}
