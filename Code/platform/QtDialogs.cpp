#include "QtDialogs.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>

namespace {

QWidget* TopWindow()
{
    QWidget* w = QApplication::activeWindow();
    if (!w) {
        const auto tops = QApplication::topLevelWidgets();
        for (QWidget* t : tops)
            if (t->isVisible() && t->isWindow()) {
                w = t;
                break;
            }
    }
    return w;
}

QMessageBox::Icon IconOfKind(int kind)
{
    switch (kind) {
    case mkError:
        return QMessageBox::Critical;
    case mkWarning:
        return QMessageBox::Warning;
    case mkQuestion:
        return QMessageBox::Question;
    default:
        return QMessageBox::Information;
    }
}

int CodeOf(QMessageBox::StandardButton b)
{
    switch (b) {
    case QMessageBox::Ok:
        return idOK;
    case QMessageBox::Yes:
        return idYes;
    case QMessageBox::No:
        return idNo;
    case QMessageBox::Cancel:
        return idCancel;
    default:
        return idNone;
    }
}

} // namespace

bool TQtDialogs::ShowMessage(const QString& text, int kind)
{
    // Not modal: the program's other windows stay usable while the box waits for its OK.
    QMessageBox box(IconOfKind(kind), ApplicationTitle(), text, QMessageBox::Ok, TopWindow());
    box.setWindowModality(Qt::NonModal);
    QEventLoop loop;
    QObject::connect(&box, &QMessageBox::finished, &loop, &QEventLoop::quit);
    box.show();
    loop.exec();
    return true;
}

int TQtDialogs::ShowPrompt(const QString& text, int type)
{
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    if (type == ptYesNo)
        buttons = QMessageBox::Yes | QMessageBox::No;
    else if (type == ptYesNoCancel)
        buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    QPointer<QWidget> previous = QApplication::activeWindow();
    QMessageBox box(QMessageBox::Information, ApplicationTitle(), text, buttons, previous);
    box.setWindowModality(Qt::ApplicationModal);
    const int code = CodeOf(static_cast<QMessageBox::StandardButton>(box.exec()));
    if (previous)
        previous->activateWindow();
    return code;
}

int TQtDialogs::AskYesNo(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle(), text, QMessageBox::Yes | QMessageBox::No, TopWindow());
    return box.exec() == QMessageBox::Yes ? idYes : idNo;
}

void TQtDialogs::ShowError(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, ApplicationTitle(), text, QMessageBox::Ok, TopWindow());
    box.exec();
}

std::optional<QString> TQtDialogs::InputText(const QString& caption, const QString& prompt, const QString& initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(TopWindow(), caption, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QStringList TQtDialogs::OpenFiles(const QString& initialFolder, const QString& filter)
{
    QFileDialog dialog(TopWindow(), QString(), initialFolder, filter);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

QString TQtDialogs::BrowseFolder(const QString& title)
{
    return QFileDialog::getExistingDirectory(TopWindow(), title, QString(), QFileDialog::ShowDirsOnly);
}
