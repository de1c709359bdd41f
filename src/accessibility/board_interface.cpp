#include "accessibility/board_interface.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <vector>

#include "accessibility/spoken_board.h"
#include "board/grid_squares.h"
#include "platform/window_geometry.h"

namespace {
// A rectangle of the board's, on the screen in the pixels readers expect.
QRect screenRect(const QWidget* board, const QRect& local) {
    const QRect logical(board->mapToGlobal(local.topLeft()), local.size());
    return accessibleScreenRect(logical, board->screen()->geometry(), board->devicePixelRatioF());
}

// A child of the board: it lives as long as the board's own interface.
class BoardChild : public QAccessibleInterface {
public:
    BoardChild(SpokenBoard* speech, int index) : m_speech(speech), m_index(index) {}

    bool isValid() const override { return !m_speech.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return board()->window()->windowHandle(); }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(board());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}

protected:
    QWidget* board() const { return m_speech->board(); }

    QPointer<SpokenBoard> m_speech;
    int m_index;
};

// One square of the grid, by its index row by row.
class SquareInterface : public BoardChild {
public:
    using BoardChild::BoardChild;

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? m_speech->squareName(m_index) : QString();
    }
    QRect rect() const override { return screenRect(board(), m_speech->squareRect(m_index)); }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.focusable = true;
        state.focused = m_speech->focusIndex() == m_index;
        return state;
    }
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
        return kind == QAccessible::Name ? m_speech->announcement(m_index) : QString();
    }
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }
};

// Holds the notifications, so that a reader speaks their words alone, without the word
// "notification" before each.
class StatusBarInterface : public BoardChild {
public:
    StatusBarInterface(SpokenBoard* speech, int index) : BoardChild(speech, index) {
        for (int notification = 0; notification < SpokenBoard::notifications; ++notification) {
            m_notifications.push_back(QAccessible::registerAccessibleInterface(
                new AnnouncementInterface(speech, notification)));
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
    explicit BoardInterface(SpokenBoard* speech)
        : QAccessibleWidget(speech->board(), QAccessible::Grouping), m_speech(speech) {
        // Made and registered once, so that readers keep their ids.
        for (int index = 0; index < statusBarChild; ++index) {
            m_children.push_back(
                QAccessible::registerAccessibleInterface(new SquareInterface(speech, index)));
        }
        m_children.push_back(QAccessible::registerAccessibleInterface(
            new StatusBarInterface(speech, statusBarChild)));
    }
    ~BoardInterface() override {
        for (const QAccessible::Id id : m_children) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }

    QRect rect() const override { return screenRect(widget(), widget()->rect()); }
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
        const QPoint global = logicalScreenPoint(QPoint(x, y), widget()->screen()->geometry(),
                                                 widget()->devicePixelRatioF());
        const std::optional<QPoint> square =
            grid::squareAt(m_speech->form(), widget()->mapFromGlobal(global));
        return square ? child(SpokenBoard::indexOf(*square)) : nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        const std::optional<int> index = m_speech->focusIndex();
        return index ? child(*index) : nullptr;
    }

private:
    SpokenBoard* m_speech;
    std::vector<QAccessible::Id> m_children;
};
}  // namespace

QAccessibleInterface* announcer(QObject* board, int notification) {
    return QAccessible::queryAccessibleInterface(board)->child(statusBarChild)->child(notification);
}

QAccessibleInterface* boardInterface(const QString&, QObject* object) {
    auto* speech = object->findChild<SpokenBoard*>(QString(), Qt::FindDirectChildrenOnly);
    return object->isWidgetType() && speech != nullptr ? new BoardInterface(speech) : nullptr;
}
