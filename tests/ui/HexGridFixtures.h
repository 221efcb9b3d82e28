#pragma once

#include "UiTestSupport.h"
#include "image/THexContainer.h"
#include "ui/THexGridModel.h"
#include "ui/THexGridView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QPalette>
#include <QTest>
#include <QTimer>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace pagora::gridtest {

using test::AnswerNextMessageBox;
using test::AnswerNextModal;
using test::Render;
using test::SeenBox;

// One data record of an Intel HEX file; the reader does not check the checksum.
inline std::string Record(std::uint32_t address, std::string_view data) {
    char head[16];
    std::snprintf(head, sizeof head, ":%02X%04X00", static_cast<unsigned>(data.size() / 2),
                  static_cast<unsigned>(address & 0xFFFF));
    return std::string(head) + std::string(data) + "00\r\n";
}

// The records of an image of `bytes` bytes from address 0 (16 bytes a record, all 00; an
// extended linear address record every 64 KiB).
inline std::string ZeroImage(std::uint32_t bytes) {
    std::string text;
    for (std::uint32_t address = 0; address < bytes; address += 16) {
        if (address % 0x10000 == 0 && address != 0) {
            char base[24];
            std::snprintf(base, sizeof base, ":02000004%04X00\r\n",
                          static_cast<unsigned>(address >> 16));
            text += base;
        }
        text += Record(address, std::string(32, '0'));
    }
    return text;
}

inline THexContainer StoreOf(const std::string& records) {
    THexContainer store;
    store.LoadFromHexText(records + ":00000001FF\r\n");
    return store;
}

// A grid over a store of its own, shown at the size the main window gives it at first.
struct GridFixture {
    THexContainer store;
    THexGridView grid;

    explicit GridFixture(const std::string& records, int width = 850, int height = 504) {
        store = StoreOf(records);
        grid.Model().SetStore(&store);
        grid.SetRowCount(static_cast<int>(store.Count()));
        grid.resize(width, height);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
    }

    QModelIndex Cell(int row, int column) const { return grid.Model().index(row, column); }

    QColor Background(int row, int column) const {
        return grid.Model().data(Cell(row, column), Qt::BackgroundRole).value<QBrush>().color();
    }

    // A point of a cell, in the viewport, right of the cell's (left-aligned) text.
    QPoint BackgroundPoint(int row, int column) const {
        const QRect cell = grid.visualRect(Cell(row, column));
        return {cell.right() - 2, cell.center().y()};
    }

    void Click(int row, int column) {
        const QRect cell = grid.visualRect(Cell(row, column));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    }

    QColor Window() const { return grid.palette().color(QPalette::Base); }
    QColor Highlight() const { return grid.palette().color(QPalette::Highlight); }
    QColor HighlightText() const { return grid.palette().color(QPalette::HighlightedText); }
};

} // namespace pagora::gridtest
