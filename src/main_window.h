#pragma once

#include <QMainWindow>
#include <functional>

#include "board/form1.h"
#include "game_narration.h"
#include "interaction/mouse_handlers.h"
#include "persistence/position_file.h"
#include "platform/beep.h"
#include "platform/form_host.h"
#include "platform/surface.h"

class BoardWidget;
class QMenu;

// The program's one window, "Form1": the File and Size menus and the board widget. It owns the
// game: the board window's state, its mouse handlers and the position file's Save and Load.
// Every event reaches its handler through dispatch, the one place where an error is caught and
// shown to the user.
class MainWindow : public QMainWindow, public FormHost {
    Q_OBJECT
public:
    explicit MainWindow(PositionFileLocation positionFile);

    Form1& form() { return m_form; }
    MouseHandlers& mouse() { return m_mouse; }
    const GameNarration& narration() const { return m_narration; }
    const Surface& surface() const { return m_surface; }

    // Whether a change is put into words: not where the reader already hears it, as when the
    // focus square carries a piece to the next square.
    enum class Narration { Spoken, Quiet };
    // Runs one event's handler, shows the user any error it stopped at, then shows what
    // changed and, to assistive technology, says it. Tells whether the handler finished.
    bool dispatch(const std::function<void()>& handler, Narration narration = Narration::Spoken);

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
    void followScreen();
    void keepOnScreen(QSize frameMargins);
    void reportError(const QString& message);

    Surface m_surface;
    Beep m_beep;
    Form1 m_form{m_surface, *this};
    MouseHandlers m_mouse{m_form, *this};
    PositionCommands m_positionFile;
    GameNarration m_narration;
    BoardWidget* m_board;
    float m_widthTwips = 0;
    float m_heightTwips = 0;
};
