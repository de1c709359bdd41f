#pragma once

#include <QMainWindow>
#include <QString>

#include "board/form1.h"
#include "platform/form_host.h"
#include "platform/surface.h"

class Canvas;

// The program's one window: title, menu bar and canvas around the board. Every event reaches
// the board through dispatch, the one place where an error is caught and shown to the user.
class MainWindow : public QMainWindow, public FormHost {
    Q_OBJECT
public:
    explicit MainWindow(const std::optional<QByteArray>& positionFile, QWidget* parent = nullptr);

    Form1& form() { return m_form; }
    const Surface& surface() const { return m_surface; }

    void setOuterSize(float widthTwips, float heightTwips) override;
    void beep() override;
    void endProgram() override;

private:
    void buildMenus();
    template <typename Handler>
    void dispatch(Handler&& handler);
    void reportError(const QString& message);

    Surface m_surface;
    Form1 m_form;
    Canvas* m_canvas;
    float m_widthTwips = 0;
    float m_heightTwips = 0;
};
