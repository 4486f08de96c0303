#include "message_boxes.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace lexamo {

QString applicationTitle(const QString& executablePath)
{
    QString name = QFileInfo(executablePath).fileName();
    name.truncate(name.indexOf(u'.') < 0 ? name.size() : name.indexOf(u'.'));
    return name.left(1) + name.mid(1).toLower();
}

QString errorBoxText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QChar(u'.'))
        return message + QChar(u'.');
    return message;
}

namespace {

void showBox(QWidget* owner, QMessageBox::Icon icon, const QString& caption, const QString& text)
{
    QMessageBox box(icon, caption, text, QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

void QtMessageBoxes::ShowMessage(QWidget* owner, const QString& text)
{
    showBox(owner, QMessageBox::NoIcon, applicationTitle(QCoreApplication::applicationFilePath()),
            text);
}

void QtMessageBoxes::showError(QWidget* owner, const QString& message)
{
    showBox(owner, QMessageBox::Critical, ErrorBoxCaption, errorBoxText(message));
}

} // namespace lexamo
