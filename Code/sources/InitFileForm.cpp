#include "InitFileForm.h"

#include "AppObjects.h"
#include "ErrorHandler.h"
#include "UnitCustomProc.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

TFrmInitFileForm::TFrmInitFileForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), FInfo(new QLabel(this))
{
    setObjectName(QStringLiteral("FrmInitFileForm"));
    setFixedSize(273, 45);
    setModal(true);
    FInfo->setObjectName(QStringLiteral("lblInfo"));
    FInfo->setText(QStringLiteral("Reading file information..."));
    FInfo->setAlignment(Qt::AlignCenter);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(12);
    font.setBold(true);
    FInfo->setFont(font);
    FInfo->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FInfo);

    FTimer1.setInterval(1000);
    FTimer2.setInterval(300);
    FTimer2.setSingleShot(true);
    connect(&FTimer1, &QTimer::timeout, this, GuardedSlot([this](auto&&...) { Timer1Timer(); }));
    connect(&FTimer2, &QTimer::timeout, this, GuardedSlot([this](auto&&...) { Timer2Timer(); }));
}

void TFrmInitFileForm::SetFiles(const QStringList& files, const QString& dialogFileName)
{
    FFiles = files;
    FDialogFileName = dialogFileName;
}

void TFrmInitFileForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QRect area = owner ? owner->frameGeometry() : screen() ? screen()->availableGeometry() : QRect();
    if (area.isValid())
        move(area.center() - QPoint(width() / 2, height() / 2));
    Guarded([this] { FormShow(); });
}

void TFrmInitFileForm::FormShow()
{
    FCounter = 1;
    FTimer1.start();
    FTimer2.start();
}

void TFrmInitFileForm::Timer1Timer()
{
    QCoreApplication::processEvents();
    FCounter = FCounter >= 4 ? 1 : FCounter + 1;
    static const char* const bars[] = {"|", "/", "-", "\\"};
    FInfo->setText(QStringLiteral("Installing File...  ") + QLatin1String(bars[FCounter - 1]));
}

void TFrmInitFileForm::Timer2Timer()
{
    QCoreApplication::processEvents();
    FTimer2.stop();
    // The window closes whatever adding does; an error still reaches the general handler.
    struct TCloser
    {
        TFrmInitFileForm* Form;
        ~TCloser() { Form->accept(); }
    } closer{this};
    CustomProc->AddSourceFiles(FFiles);
    CustomProc->SaveInitialFolder(FDialogFileName);
}

void TFrmInitFileForm::hideEvent(QHideEvent* event)
{
    FTimer1.stop();
    FTimer2.stop();
    QDialog::hideEvent(event);
}

void TFrmInitFileForm::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QLinearGradient shade(0, 0, 0, height());
    shade.setColorAt(0, QColor(61, 65, 77));
    shade.setColorAt(1, QColor(28, 30, 36));
    painter.fillRect(rect(), shade);
    painter.setPen(QColor(110, 116, 132));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
