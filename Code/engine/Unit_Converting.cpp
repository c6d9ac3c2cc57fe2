#include "Unit_Converting.h"

#include "ConvertingProgress.h"
#include "ErrorHandler.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace {

QLabel* MakeLabel(QWidget* parent, const QString& text, int left, int top, bool bold = false)
{
    auto* label = new QLabel(text, parent);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    font.setBold(bold);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    label->move(left, top);
    label->adjustSize();
    return label;
}

QProgressBar* MakeBar(QWidget* parent, int left, int top)
{
    auto* bar = new QProgressBar(parent);
    bar->setGeometry(left, top, 321, 17);
    bar->setTextVisible(false);
    return bar;
}

void ShowBar(QProgressBar* bar, const TProgressBarState& state)
{
    bar->setRange(state.Min, state.Max);
    bar->setValue(state.Position);
}

} // namespace

TfrmConverting::TfrmConverting(TConvertingProgress& model, QWidget* parent) : QDialog(parent), FModel(model)
{
    setWindowTitle(QStringLiteral("Converting"));
    setFixedSize(435, 222);
    setObjectName(QStringLiteral("frmConverting"));
    setStyleSheet(QStringLiteral("#frmConverting { background-color: #2b3a55; }"));

    lblInfo = MakeLabel(this, FModel.lblInfo, 16, 12, true);
    lblCurConvertFileL = MakeLabel(this, QStringLiteral("Current Convert File:"), 16, 44);
    lblCurFileName = MakeLabel(this, QString(), 120, 44);
    lblCurFileName->setFixedWidth(281);
    lblTotalFilr = MakeLabel(this, QStringLiteral("Total File:"), 16, 72);
    pbTotal = MakeBar(this, 80, 71);
    lblCurprog = MakeLabel(this, QStringLiteral("Current File:"), 16, 97);
    ProgressBar1 = MakeBar(this, 80, 95);
    lblPersent = MakeLabel(this, FModel.lblPersent, 16, 129);
    btnStop = new QPushButton(QStringLiteral("Stop"), this);
    btnStop->setGeometry(294, 126, 100, 25);
    // The status strip's one panel, 50 wide, holds the latest encoder output.
    auto* strip = new QWidget(this);
    strip->setGeometry(0, 205, 435, 17);
    strip->setStyleSheet(QStringLiteral("background-color: #d4d0c8;"));
    statState = new QLabel(strip);
    statState->setGeometry(2, 0, 50, 17);

    connect(btnStop, &QPushButton::clicked, this, GuardedSlot([this](bool) { FModel.btnStop1Click(); }));
    connect(&FModel, &TConvertingProgress::Changed, this, GuardedSlot([this] { Refresh(); }));
    connect(&FModel, &TConvertingProgress::VisibleChanged, this,
            GuardedSlot([this](bool visible) { FollowVisibility(visible); }));
    Refresh();
}

void TfrmConverting::Refresh()
{
    lblInfo->setText(FModel.lblInfo);
    lblInfo->adjustSize();
    lblCurFileName->setText(FModel.lblCurFileName);
    lblPersent->setText(FModel.lblPersent);
    lblPersent->adjustSize();
    statState->setText(FModel.statState);
    ShowBar(pbTotal, FModel.pbTotal);
    ShowBar(ProgressBar1, FModel.ProgressBar1);
}

void TfrmConverting::FollowVisibility(bool visible)
{
    if (visible) {
        Refresh();
        show();
        return;
    }
    FHidingByModel = true;
    hide();
    FHidingByModel = false;
}

void TfrmConverting::closeEvent(QCloseEvent* event)
{
    if (FHidingByModel) {
        event->accept();
        return;
    }
    // The question is asked by the model; the window goes whatever the answer.
    event->accept();
    Guarded([this] { FModel.FormClose(); });
}

void TfrmConverting::reject()
{
    // Escape counts as the system close command.
    close();
}
