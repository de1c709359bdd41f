#include "board/form1_window.h"

#include "board/board_sizes.h"

WindowDefinition form1Window(Form1& form, MouseReceiver& mouse, std::function<void()> save,
                             std::function<void()> load) {
    const auto command = [&form](void (Form1::*click)()) {
        return [&form, click] { (form.*click)(); };
    };
    return WindowDefinition{
        .title = QStringLiteral("Form1"),
        .widthTwips = static_cast<float>(outerWidthTwips(normalSize.cellSize)),
        .heightTwips = static_cast<float>(outerHeightTwips(normalSize.cellSize)),
        .menus =
            {{QStringLiteral("File"),
              QStringLiteral("File"),
              {{QStringLiteral("Save"), QStringLiteral("Save"), std::move(save)},
               {QStringLiteral("Load"), QStringLiteral("Load"), std::move(load)},
               {QStringLiteral("Kng"), QStringLiteral("New Game"), command(&Form1::KngClick)},
               {QStringLiteral("Exit"), QStringLiteral("Exit"), command(&Form1::ExitClick)}}},
             {QStringLiteral("Size"),
              QStringLiteral("Size"),
              {{QStringLiteral("Normal"), QStringLiteral("Normal"), command(&Form1::NormalClick)},
               {QStringLiteral("Large"), QStringLiteral("Large"), command(&Form1::LargeClick)},
               {QStringLiteral("Small"), QStringLiteral("Small"), command(&Form1::SmallClick)}}}},
        .load = command(&Form1::onLoad),
        .mouse = &mouse,
    };
}
