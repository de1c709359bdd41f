#pragma once

#include <QString>
#include <QStringList>

// The moves of this game, in the words they were spoken in, for a player who missed one: read
// from the last, one further back each time.
class MoveHistory {
public:
    void add(const QString& move) {
        m_moves.append(move);
        m_next = m_moves.size() - 1;
    }
    void clear() {
        m_moves.clear();
        m_next = -1;
    }
    // The last move; with again, the one before the move read last.
    QString read(bool again) {
        if (!again) {
            m_next = m_moves.size() - 1;
        }
        if (m_moves.isEmpty()) {
            return QStringLiteral("No move yet.");
        }
        if (m_next < 0) {
            return QStringLiteral("No earlier move.");
        }
        return m_moves[m_next--];
    }

private:
    QStringList m_moves;
    qsizetype m_next = -1;  // the move read next with again
};
