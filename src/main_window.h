#pragma once

#include <QMainWindow>
#include <functional>

#include "accessibility/keyboard_focus.h"
#include "accessibility/spoken_board.h"
#include "board/form1.h"
#include "board_keys.h"
#include "interaction/mouse_handlers.h"
#include "persistence/position_file.h"
#include "platform/beep.h"
#include "platform/form_host.h"
#include "platform/surface.h"

class BoardWidget;
class QMenu;

// The program's one window, "Form1": the File and Size menus and the board widget. It owns the
// game: the board window's state, its mouse handlers, the keys and the position file's Save and
// Load. Every event reaches its handler through dispatch, the one place where an error is caught
// and shown to the user.
class MainWindow : public QMainWindow, public FormHost {
    Q_OBJECT
public:
    explicit MainWindow(PositionFileLocation positionFile);

    Form1& form() { return m_form; }
    MouseHandlers& mouse() { return m_mouse; }
    const Surface& surface() const { return m_surface; }

    using Voice = SpokenBoard::Voice;
    // Runs one event's handler, shows the user any error it stopped at, then shows what changed
    // and tells assistive technology. Tells whether the handler finished.
    bool dispatch(const std::function<void()>& handler, Voice voice = Voice::Pointer);

    void setOuterSize(float widthTwips, float heightTwips) override;
    void beep() override;
    void endProgram() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    QMenu* addMenu(const char* title);
    // A menu command; done is what assistive technology hears once it has run.
    void addCommand(QMenu* menu, const char* control, const char* caption, const char* done,
                    std::function<void()> run);
    // The pointer, of the other player perhaps: a press first puts back what the keys carry,
    // and moves and releases leave the keys' piece alone.
    void connectPointer();
    void followScreen();
    void keepOnScreen(QSize frameMargins);
    void reportError(const QString& message);

    Surface m_surface;
    Beep m_beep;
    Form1 m_form{m_surface, *this};
    MouseHandlers m_mouse{m_form, *this};
    PositionCommands m_positionFile;
    KeyboardFocus m_focus;
    BoardWidget* m_board;
    SpokenBoard* m_speech;
    BoardKeys m_keys;
    float m_widthTwips = 0;
    float m_heightTwips = 0;
};
