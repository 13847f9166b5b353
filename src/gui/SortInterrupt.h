#pragma once
// Esc during a long sort: while the sort runs, pending events are looked at now and then;
// input is held back, except that an Esc press makes the user choose whether to stop.

#include <QElapsedTimer>
#include <QObject>

namespace quorvex
{

class TSortInterrupt : public QObject
{
    Q_OBJECT
public:
    TSortInterrupt();
    ~TSortInterrupt() override;

    // The sort's cancel request: true when Esc was pressed and the user chose to stop.
    bool operator()();
    // A sort is running: deferred work of the window waits for its end.
    static bool Active();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QElapsedTimer m_sinceLook;
    bool m_looked = false;
    bool m_escape = false;
    bool m_asking = false;
};

} // namespace quorvex
