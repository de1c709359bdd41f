#include "board_accessibility.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QScreen>
#include <QWindow>
#include <vector>

#include "board/grid_squares.h"
#include "board_widget.h"
#include "platform/window_geometry.h"

namespace {
// A rectangle of the board's, on the screen in the pixels readers expect.
QRect screenRect(const BoardWidget* board, const QRect& local) {
    const QRect logical(board->mapToGlobal(local.topLeft()), local.size());
    return accessibleScreenRect(logical, board->screen()->geometry(), board->devicePixelRatioF());
}

// A child of the board: it lives as long as the board's own interface.
class BoardChild : public QAccessibleInterface {
public:
    BoardChild(BoardWidget* board, int index) : m_board(board), m_index(index) {}

    bool isValid() const override { return !m_board.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_board->window()->windowHandle(); }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(m_board);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}

protected:
    QPointer<BoardWidget> m_board;
    int m_index;
};

// One square of the grid, by its index row by row.
class SquareInterface : public BoardChild {
public:
    using BoardChild::BoardChild;

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? m_board->squareWords(square()) : QString();
    }
    QRect rect() const override { return screenRect(m_board, m_board->squareRect(square())); }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.focusable = true;
        state.focused = m_board->hasFocus() && m_board->focusSquare() == square();
        return state;
    }

private:
    QPoint square() const { return {m_index % grid::columns, m_index / grid::columns}; }
};

// Speaks changes of the game: shown anew with its words each time, as a reader presents a
// notification whatever has the focus.
class AnnouncementInterface : public BoardChild {
public:
    using BoardChild::BoardChild;

    QAccessibleInterface* parent() const override {
        return BoardChild::parent()->child(statusBarChild);
    }
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? m_board->announcement(m_index) : QString();
    }
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }
};

// Holds the notifications, so that a reader speaks their words alone, without the word
// "notification" before each.
class StatusBarInterface : public BoardChild {
public:
    StatusBarInterface(BoardWidget* board, int index) : BoardChild(board, index) {
        for (int notification = 0; notification < announcementChildren; ++notification) {
            m_notifications.push_back(QAccessible::registerAccessibleInterface(
                new AnnouncementInterface(board, notification)));
        }
    }
    ~StatusBarInterface() override {
        for (const QAccessible::Id id : m_notifications) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }

    QAccessibleInterface* child(int index) const override {
        return index >= 0 && index < childCount()
                   ? QAccessible::accessibleInterface(m_notifications[index])
                   : nullptr;
    }
    int childCount() const override { return static_cast<int>(m_notifications.size()); }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int index = 0; index < childCount(); ++index) {
            if (QAccessible::accessibleInterface(m_notifications[index]) == child) {
                return index;
            }
        }
        return -1;
    }
    QString text(QAccessible::Text) const override { return {}; }
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::StatusBar; }
    QAccessible::State state() const override { return {}; }

private:
    std::vector<QAccessible::Id> m_notifications;
};

class BoardInterface : public QAccessibleWidget {
public:
    explicit BoardInterface(BoardWidget* board) : QAccessibleWidget(board, QAccessible::Grouping) {
        // Made and registered once, so that readers keep their ids.
        for (int index = 0; index < statusBarChild; ++index) {
            m_children.push_back(
                QAccessible::registerAccessibleInterface(new SquareInterface(board, index)));
        }
        m_children.push_back(QAccessible::registerAccessibleInterface(
            new StatusBarInterface(board, statusBarChild)));
    }
    ~BoardInterface() override {
        for (const QAccessible::Id id : m_children) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }

    QRect rect() const override { return screenRect(board(), board()->rect()); }
    int childCount() const override { return static_cast<int>(m_children.size()); }
    QAccessibleInterface* child(int index) const override {
        return index >= 0 && index < childCount()
                   ? QAccessible::accessibleInterface(m_children[index])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int index = 0; index < childCount(); ++index) {
            if (QAccessible::accessibleInterface(m_children[index]) == child) {
                return index;
            }
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint global = logicalScreenPoint(QPoint(x, y), board()->screen()->geometry(),
                                                 board()->devicePixelRatioF());
        const std::optional<QPoint> square =
            grid::squareAt(board()->form(), board()->mapFromGlobal(global));
        return square ? child(square->y() * grid::columns + square->x()) : nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        const QPoint square = board()->focusSquare();
        return board()->hasFocus() ? child(square.y() * grid::columns + square.x()) : nullptr;
    }

private:
    BoardWidget* board() const { return static_cast<BoardWidget*>(widget()); }

    std::vector<QAccessible::Id> m_children;
};
}  // namespace

QAccessibleInterface* announcer(QObject* board, int notification) {
    return QAccessible::queryAccessibleInterface(board)->child(statusBarChild)->child(notification);
}

QAccessibleInterface* boardAccessibility(const QString&, QObject* object) {
    auto* board = qobject_cast<BoardWidget*>(object);
    return board != nullptr ? new BoardInterface(board) : nullptr;
}
