#include "platform/LongTimer.h"

LongTimer::LongTimer(QObject* parent, qint64 maxPieceMs)
    : QObject(parent), m_maxPiece(qBound<qint64>(1, maxPieceMs, kDefaultMaxPieceMs)) {
    m_piece.setSingleShot(true);
    connect(&m_piece, &QTimer::timeout, this, &LongTimer::onPiece);
}

void LongTimer::start() {
    m_active = true;
    m_deadline = QDeadlineTimer(m_interval);
    armPiece();
}

void LongTimer::stop() {
    m_active = false;
    m_piece.stop();
}

qint64 LongTimer::remainingTime() const {
    return m_active ? m_deadline.remainingTime() : -1;
}

void LongTimer::armPiece() {
    m_piece.start(int(qMin(m_deadline.remainingTime(), m_maxPiece)));
}

void LongTimer::onPiece() {
    if (!m_active)
        return;
    if (m_deadline.remainingTime() > 0) {
        armPiece();
        return;
    }
    m_deadline = QDeadlineTimer(m_interval);
    armPiece();
    emit timeout();
}
