#pragma once

#include <QObject>
#include <QString>

// A check box as the logic sees it.
class TCheckBoxModel : public QObject
{
    Q_OBJECT
public:
    explicit TCheckBoxModel(bool checked = false, QObject* parent = nullptr);
    bool Checked() const { return FChecked; }
    void SetChecked(bool checked);

signals:
    void Changed();

private:
    bool FChecked;
};

// A one-line text field as the logic sees it.
class TTextFieldModel : public QObject
{
    Q_OBJECT
public:
    explicit TTextFieldModel(QString text = {}, QObject* parent = nullptr);
    const QString& Text() const { return FText; }
    void SetText(const QString& text);

signals:
    void Changed();

private:
    QString FText;
};
