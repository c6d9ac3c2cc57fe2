#pragma once

#include <QDialog>
#include <QStringList>
#include <QTimer>

class QLabel;

// The busy window shown while opened files are probed and added: a borderless 273 x 45 box
// centred on its owner, with one bold white label that turns a little bar while it waits.
class TFrmInitFileForm : public QDialog
{
    Q_OBJECT
public:
    explicit TFrmInitFileForm(QWidget* parent = nullptr);

    // The files to add when shown, and the dialog's file name whose folder is stored.
    void SetFiles(const QStringList& files, const QString& dialogFileName);
    QLabel* lblInfo() const { return FInfo; }
    QTimer& Timer1() { return FTimer1; }
    QTimer& Timer2() { return FTimer2; }

    void FormShow();
    void Timer1Timer();
    void Timer2Timer();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* FInfo;
    QTimer FTimer1;
    QTimer FTimer2;
    int FCounter = 1;
    QStringList FFiles;
    QString FDialogFileName;
};
