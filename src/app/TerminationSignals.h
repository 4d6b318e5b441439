#pragma once
#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the event loop, so that a logout or a
// Ctrl+C closes the main window the way its close box does and no settings are lost.
// The handler only writes a byte to a socket pair; everything else runs in the loop.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    // Installs the handlers; false when the socket pair could not be made.
    bool install();

    // While set, a termination signal ends the process at once, the way it would without
    // a handler. Start-up sets it until the main window exists: before that there is
    // nothing to save, and no event loop may run for a long time (a huge settings file)
    // to hear the signal.
    static void setEndAtOnce(bool atOnce);

signals:
    void terminationRequested(int signalNumber);

private:
    void readPending();

    QSocketNotifier* notifier_ = nullptr;
};
