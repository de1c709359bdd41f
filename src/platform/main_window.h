#pragma once

#include <QMainWindow>

#include "platform/beep.h"
#include "platform/form_host.h"
#include "platform/surface.h"
#include "platform/window_definition.h"

class Canvas;

// A program's one window: a menu bar, and a canvas that shows the persistent surface and
// forwards the mouse. It builds itself from the definition it is handed. Every event reaches
// the program through dispatch, the one place where an error is caught and shown to the user.
class MainWindow : public QMainWindow, public FormHost {
    Q_OBJECT
public:
    MainWindow();

    Surface& surface() { return m_surface; }

    // Takes the title, menus and event handlers, sizes the window and raises its load event.
    void define(const WindowDefinition& definition);

    void setOuterSize(float widthTwips, float heightTwips) override;
    void beep() override;
    void endProgram() override;

protected:
    bool event(QEvent* event) override;

private:
    template <typename Handler>
    void dispatch(const Handler& handler);
    void reportError(const QString& message);

    Surface m_surface;
    Canvas* m_canvas;
    Beep m_beep;
    float m_widthTwips = 0;
    float m_heightTwips = 0;
};
