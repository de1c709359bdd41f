#include "board_accessibility.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <cmath>
#include <vector>

#include "board/form1.h"
#include "board/geometry.h"
#include "board/grid_squares.h"
#include "board_widget.h"

namespace {
constexpr int columns = grid::columns;
constexpr int rows = grid::rows;

QString contentOf(const Form1& form, int row, int column) {
    QString content = QStringLiteral("empty");
    // The piece painted last over the square is the one that shows.
    for (const VIDEVER& piece : form.Pieces) {
        if (piece.SH_TYPE() != 0 && std::floor(piece.X() / form.CellSize) == column &&
            std::floor(piece.Y() / form.CellSize) == row) {
            content = piece.SH_TYPE() == 1   ? QStringLiteral("red piece")
                      : piece.SH_TYPE() == 2 ? QStringLiteral("blue piece")
                                             : QStringLiteral("black piece");
        }
    }
    return content;
}

// One square of the table; it lives as long as the table does.
class SquareInterface : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    SquareInterface(BoardWidget* board, int index) : m_board(board), m_index(index) {}

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
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? squareName(m_board->form(), rowIndex(), columnIndex())
                                         : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const QRect square = m_board->squareRect(QPoint(columnIndex(), rowIndex()));
        return QRect(m_board->mapToGlobal(square.topLeft()), square.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.focusable = true;
        state.focused =
            m_board->hasFocus() && m_board->focusSquare() == QPoint(columnIndex(), rowIndex());
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_index % columns; }
    int rowIndex() const override { return m_index / columns; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QPointer<BoardWidget> m_board;
    int m_index;
};

// The board as a table of rows by columns. Its squares are made and registered once, so that
// readers keep their ids.
class BoardInterface : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit BoardInterface(BoardWidget* board) : QAccessibleWidget(board, QAccessible::Table) {
        for (int index = 0; index < rows * columns; ++index) {
            m_squares.push_back(
                QAccessible::registerAccessibleInterface(new SquareInterface(board, index)));
        }
    }
    ~BoardInterface() override {
        for (const QAccessible::Id id : m_squares) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }

    int childCount() const override { return rows * columns; }
    QAccessibleInterface* child(int index) const override {
        return index >= 0 && index < childCount()
                   ? QAccessible::accessibleInterface(m_squares[index])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* square) const override {
        const auto* cell = const_cast<QAccessibleInterface*>(square)->tableCellInterface();
        return cell != nullptr && cell->table() == this
                   ? cell->rowIndex() * columns + cell->columnIndex()
                   : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint point = board()->mapFromGlobal(QPoint(x, y));
        const double side = board()->form().CellSize;
        const int column = static_cast<int>(std::floor(point.x() / side));
        const int row = static_cast<int>(std::floor(point.y() / side));
        return column >= 0 && column < columns && row >= 0 && row < rows
                   ? child(row * columns + column)
                   : nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        const QPoint square = board()->focusSquare();
        return board()->hasFocus() ? child(square.y() * columns + square.x()) : nullptr;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }

    // Readers may ask for any square: one outside the table gets the nearest, never nothing.
    QAccessibleInterface* cellAt(int row, int column) const override {
        return child(std::clamp(row, 0, rows - 1) * columns + std::clamp(column, 0, columns - 1));
    }
    int rowCount() const override { return rows; }
    int columnCount() const override { return columns; }
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    // Nothing on the board is ever selected.
    int selectedCellCount() const override { return 0; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    BoardWidget* board() const { return static_cast<BoardWidget*>(widget()); }

    std::vector<QAccessible::Id> m_squares;
};
}  // namespace

QString squareName(const Form1& form, int row, int column) {
    const QString content = contentOf(form, row, column);
    if (column < geometry::boardSquares) {
        const bool black = (row + column) % 2 == 0;
        return QStringLiteral("row %1, column %2, %3 square, %4")
            .arg(row + 1)
            .arg(column + 1)
            .arg(black ? QStringLiteral("black") : QStringLiteral("white"), content);
    }
    if (column < geometry::trayFirstColumn) {
        return QStringLiteral("row %1, gap, %2").arg(row + 1).arg(content);
    }
    const bool red = row < geometry::trayRows;
    return QStringLiteral("%1 tray, row %2, column %3, %4")
        .arg(red ? QStringLiteral("red") : QStringLiteral("blue"))
        .arg(red ? row + 1 : row - geometry::trayRows + 1)
        .arg(column - geometry::trayFirstColumn + 1)
        .arg(content);
}

QStringList squareNames(const Form1& form) {
    QStringList names;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            names.append(squareName(form, row, column));
        }
    }
    return names;
}

QAccessibleInterface* boardAccessibility(const QString&, QObject* object) {
    auto* board = qobject_cast<BoardWidget*>(object);
    return board != nullptr ? new BoardInterface(board) : nullptr;
}
