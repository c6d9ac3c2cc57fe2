#pragma once

#include <QApplication>

// The application object: the last guard of the general error handler, for anything that
// escapes a handler written without one.
class TQuorvidApplication : public QApplication
{
    Q_OBJECT
public:
    TQuorvidApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
