// Times the copy command on a full list: 100,000 file rows, the seven data columns selected.
//   copy-bench [rows]
// Prints the time to build the clipboard text alone, the time of the whole command with the
// Qt clipboard (offscreen unless QT_QPA_PLATFORM says otherwise) and the text's size.

#include "grid/GridModel.h"
#include "platform/MessageBox.h"
#include "platform/MousePointer.h"
#include "platform/qt/QtClipboard.h"
#include "window/ClipboardText.h"
#include "window/CopyCommand.h"

#include <QGuiApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

class SilentMessageBox : public quiverel::MessageBox {
public:
    void show(const std::string&, const std::string&) override {}
};

class StillPointer : public quiverel::MousePointer {
public:
    void set(Shape) override {}
};

void fillGrid(quiverel::GridModel& grid, int rows) {
    grid.setCols(8);
    grid.setRows(rows + 1);
    for (int r = 1; r <= rows; ++r) {
        const std::string n = std::to_string(r);
        const std::string name = "file_" + n + ".dll";
        const std::string folder =
            "/home/user/projects/quiverel/build/output/sub" + std::to_string(r % 97) + "/";
        const std::string texts[8] = {
            n, name, folder, "1,234KB", "10.0.19041.1", "2024/05/17 09:41", folder + name, "dll"};
        for (int c = 0; c < 8; ++c) {
            grid.setRow(r);
            grid.setCol(c);
            grid.setText(texts[c]);
        }
    }
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;

    quiverel::GridModel grid;
    fillGrid(grid, rows);
    grid.setRow(1);
    grid.setCol(1);
    grid.setRowSel(rows);
    grid.setColSel(7);

    auto start = std::chrono::steady_clock::now();
    const std::string text = quiverel::clipboardText(grid, quiverel::normalisedSelection(grid));
    const double buildSeconds = secondsSince(start);

    quiverel::QtClipboard clipboard;
    SilentMessageBox messageBox;
    StillPointer pointer;
    start = std::chrono::steady_clock::now();
    quiverel::CopyCommand(grid, messageBox, clipboard, pointer).copySelection();
    const double commandSeconds = secondsSince(start);

    std::printf("rows %d x 7 columns, text %.1f MB\n", rows, text.size() / 1e6);
    std::printf("clipboard text built in   %.3f s\n", buildSeconds);
    std::printf("copy command (Qt clipboard) %.3f s\n", commandSeconds);
    return 0;
}
