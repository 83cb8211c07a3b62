#include "qtmessageboxes.h"

#include "msgboxstyle.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

int QtMessageBoxes::show(const QString& text, int style, const QString& title) {
    QMessageBox box;
    box.setWindowTitle(title.isEmpty() ? m_defaultTitle : title);
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    box.setText(shown);
    box.setTextFormat(Qt::PlainText);
    switch (style & MsgStyle::IconMask) {
    case MsgStyle::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgStyle::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgStyle::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgStyle::Information:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
    }
    switch (style & MsgStyle::ButtonMask) {
    case MsgStyle::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        break;
    case MsgStyle::RetryCancel:
        box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Retry);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
    }
    if (style & MsgStyle::SystemModal)
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    // A busy pointer must not hide the fact that the program is waiting for an answer.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    if (busy)
        QApplication::restoreOverrideCursor();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Yes:
        return MsgReply::Yes;
    case QMessageBox::No:
        return MsgReply::No;
    case QMessageBox::Retry:
        return MsgReply::Retry;
    case QMessageBox::Cancel:
        return MsgReply::Cancel;
    case QMessageBox::Ok:
        return MsgReply::Ok;
    default:
        // Closed without a button: the escape answer of the box.
        switch (style & MsgStyle::ButtonMask) {
        case MsgStyle::YesNo:
            return MsgReply::No;
        case MsgStyle::RetryCancel:
            return MsgReply::Cancel;
        default:
            return MsgReply::Ok;
        }
    }
}
