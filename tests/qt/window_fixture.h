#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "ui/qt/canvas.h"
#include "ui/qt/main_window.h"

// A shown main window whose handlers write what reaches the game into a log.
class WindowTest : public ::testing::Test {
protected:
    MainWindow window;
    std::vector<std::string> log;

    void SetUp() override {
        window.setHandlers({
            .mouseDown =
                [this](int b, int shift, double x, double y) {
                    log.push_back("mouse " + std::to_string(b) + " " + std::to_string(shift) + " " +
                                  std::to_string(int(std::lround(x))) + " " +
                                  std::to_string(int(std::lround(y))));
                    if (onMouse) onMouse();
                },
            .keyPress =
                [this](int code) {
                    log.push_back("key " + std::to_string(code));
                    if (onKey) onKey();
                },
            .unload = [this] { log.push_back("unload"); },
            .timer = [this] { log.push_back("timer"); },
            .menu = [this](std::string_view c) { log.push_back("menu " + std::string(c)); },
            .drive1Change = [this] { log.push_back("Drive1_Change"); },
            .dir1Change = [this] { log.push_back("Dir1_Change"); },
            .file1Click =
                [this](std::string_view name) {
                    log.push_back("File1_Click " + std::string(name));
                },
            .command1Click = [this] { log.push_back("Command1_Click"); },
        });
        window.show();
        QCoreApplication::processEvents();
        setCanvasSize(640, 480);
    }

    CanvasWidget& canvas() { return *window.canvas(); }

    void setCanvasSize(int w, int h) {
        for (int i = 0; i < 20 && canvas().size() != QSize(w, h); ++i) {
            window.resize(window.size() + QSize(w, h) - canvas().size());
            QCoreApplication::processEvents();
        }
        ASSERT_EQ(canvas().size(), QSize(w, h));
    }

    QImage grab() {
        window.flush();
        return canvas().grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    QPoint pixelOf(double twipsX, double twipsY) {
        return canvas().toPixels(QPointF(twipsX, twipsY)).toPoint();
    }

    void click(double twipsX, double twipsY, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(&canvas(), button, {}, pixelOf(twipsX, twipsY));
    }

    bool logged(const std::string& prefix) const {
        for (const auto& line : log)
            if (line.rfind(prefix, 0) == 0) return true;
        return false;
    }

    std::function<void()> onMouse, onKey;
};

// Cell (x, y) in twips, as the game places it.
inline double cellLeft(double x) { return 1050 + 495 * x; }
inline double cellTop(double y) { return 100 + 615 * y; }
