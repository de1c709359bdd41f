#include "game_narration.h"

#include "board/form1.h"
#include "board/grid_squares.h"
#include "interaction/mouse_handlers.h"
#include "square_names.h"

namespace {
std::optional<QPoint> squareUnderPointer(const Form1& form) {
    return grid::squareAt(form, QPointF(form.LastMouseX, form.LastMouseY));
}

QString overWords(const Form1& form, std::optional<QPoint> square) {
    return square ? QStringLiteral("over ") + squareName(form, *square)
                  : QStringLiteral("off the board");
}

QString refusalWords(const Form1& form, const MouseOutcome& outcome) {
    switch (outcome.refusal) {
        case MouseOutcome::WhiteSquare:
            return QStringLiteral("a white square");
        case MouseOutcome::TakenSquare:
            return QStringLiteral("the square is taken");
        case MouseOutcome::OffTheBoard:
            return QStringLiteral("a tray piece goes only onto a free black square");
        case MouseOutcome::TrayFull:
            return form.pieceAt(outcome.piece).SH_TYPE() == 1
                       ? QStringLiteral("the red tray is full")
                       : QStringLiteral("the blue tray is full");
    }
    return {};
}
}  // namespace

QString GameNarration::describe(const Form1& form, const MouseOutcome& outcome) {
    if (outcome.kind == MouseOutcome::None || outcome.kind == MouseOutcome::NothingPickedUp) {
        return {};
    }
    const QString piece = pieceWords(form, outcome.piece);
    const QString place = placeOf(form, outcome.piece);
    QString words;
    switch (outcome.kind) {
        case MouseOutcome::PickedUp:
            m_carriedOver = squareUnderPointer(form);
            return QStringLiteral("Picked up %1 on %2.").arg(piece, place);
        case MouseOutcome::Carried: {
            const std::optional<QPoint> over = squareUnderPointer(form);
            if (over == m_carriedOver) {
                return {};
            }
            m_carriedOver = over;
            return QStringLiteral("Carrying %1 %2.").arg(piece, overWords(form, over));
        }
        case MouseOutcome::Dropped:
            words = QStringLiteral("%1 dropped on %2.").arg(piece, place);
            break;
        case MouseOutcome::Filed:
            words = QStringLiteral("%1 filed in %2.").arg(piece, place);
            break;
        case MouseOutcome::Refused:
            words = QStringLiteral("Refused, %1: %2 back on %3.")
                        .arg(refusalWords(form, outcome), piece, place);
            break;
        case MouseOutcome::PutBack:
            words = QStringLiteral("%1 put back on %2.").arg(piece, place);
            break;
        default:
            return {};
    }
    words[0] = words[0].toUpper();
    m_carriedOver.reset();
    m_lastMove = words;
    return words;
}

QString GameNarration::carried(const Form1& form, std::optional<int> moving) const {
    if (!moving) {
        return QStringLiteral("Nothing carried.");
    }
    const std::optional<QPoint> from =
        grid::squareAt(form, QPointF(form.DragStartX, form.DragStartY));
    return QStringLiteral("Carrying %1 from %2, %3.")
        .arg(pieceWords(form, *moving), from ? squareLabel(*from) : QStringLiteral("off the board"),
             overWords(form, squareUnderPointer(form)));
}
