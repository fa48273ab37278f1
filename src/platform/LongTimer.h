#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <QTimer>

// A repeating timer for intervals far beyond the 24 days a QTimer holds:
// it waits in pieces of at most maxPieceMs until the interval is over.
class LongTimer : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 kDefaultMaxPieceMs = 24LL * 60 * 60 * 1000;

    explicit LongTimer(QObject* parent = nullptr, qint64 maxPieceMs = kDefaultMaxPieceMs);

    void setInterval(qint64 ms) { m_interval = qMax<qint64>(ms, 0); }
    qint64 interval() const { return m_interval; }
    // (Re)starts a full interval from now.
    void start();
    void stop();
    bool isActive() const { return m_active; }
    // Milliseconds left until the next timeout; -1 when stopped.
    qint64 remainingTime() const;

signals:
    void timeout();

private:
    void armPiece();
    void onPiece();

    QTimer m_piece;
    QDeadlineTimer m_deadline;
    qint64 m_interval = 0;
    qint64 m_maxPiece;
    bool m_active = false;
};
