#include "accessibility/move_words.h"

#include "accessibility/square_words.h"
#include "board/form1.h"
#include "interaction/mouse_handlers.h"

namespace words {
namespace {
Place origin(const Form1& form) {
    return placeAt(form, form.DragStartX, form.DragStartY);
}

bool onDarkSquare(const Place& place) {
    return place.kind == Place::Board && (place.square.x() + place.square.y()) % 2 == 0;
}

// The piece by its side and where it came from: "red 9", "red from red tray cell 2".
QString subject(const VIDEVER& piece, const Place& from) {
    return onDarkSquare(from) ? sideWords(piece) + ' ' + squareLabel(from.square)
                              : sideWords(piece) + QStringLiteral(" from ") + placeLabel(from);
}

QString sentence(QString words) {
    words[0] = words[0].toUpper();
    return words + '.';
}

QString refusedTarget(const Form1& form, const MouseOutcome& outcome, const VIDEVER& piece) {
    const Place target = placeAt(form, outcome.targetX, outcome.targetY);
    switch (outcome.refusal) {
        case MouseOutcome::WhiteSquare:
            return QStringLiteral("a white square");
        case MouseOutcome::TakenSquare:
            return placeLabel(target) + QStringLiteral(", taken");
        case MouseOutcome::OffTheBoard:
            return placeLabel(target);
        case MouseOutcome::TrayFull:
            break;
    }
    return piece.SH_TYPE() == 1 ? QStringLiteral("the full red tray")
                                : QStringLiteral("the full blue tray");
}

QString putBack(const VIDEVER& piece, const Place& from) {
    return onDarkSquare(from)
               ? sentence(subject(piece, from) + QStringLiteral(" put back"))
               : sentence(sideWords(piece) + QStringLiteral(" put back on ") + placeLabel(from));
}
}  // namespace

QString moveSentence(const Form1& form, const MouseOutcome& outcome) {
    if (outcome.piece == 0) {
        return {};
    }
    const VIDEVER& piece = form.pieceAt(outcome.piece);
    const Place from = origin(form);
    const Place to = placeOf(form, piece);
    switch (outcome.kind) {
        case MouseOutcome::Dropped:
            if (to.kind == from.kind && to.square == from.square) {
                return putBack(piece, from);
            }
            if (from.kind == Place::Tray) {
                return sentence(sideWords(piece) + QStringLiteral(" back from ") +
                                placeLabel(from) + QStringLiteral(" to ") + placeLabel(to));
            }
            return sentence(subject(piece, from) + QStringLiteral(" to ") + placeLabel(to));
        case MouseOutcome::Filed:
            return sentence(subject(piece, from) + QStringLiteral(" taken to ") + placeLabel(to));
        case MouseOutcome::Refused:
            return QStringLiteral("Refused: %1 to %2, back on %3.")
                .arg(subject(piece, from), refusedTarget(form, outcome, piece), placeLabel(from));
        case MouseOutcome::PutBack:
            return putBack(piece, from);
        default:
            return {};
    }
}

QString pickUpSentence(const Form1& form, int piece) {
    return sentence(QStringLiteral("picked up ") + subject(form.pieceAt(piece), origin(form)));
}

QString carriedReading(const Form1& form, std::optional<int> carried) {
    if (!carried) {
        return QStringLiteral("Nothing carried.");
    }
    const Place over = placeAt(form, form.LastMouseX, form.LastMouseY);
    return sentence(QStringLiteral("carrying ") + subject(form.pieceAt(*carried), origin(form)) +
                    (over.kind == Place::Outside ? QStringLiteral(", off the board")
                                                 : QStringLiteral(" over ") + placeLabel(over)));
}

}  // namespace words
