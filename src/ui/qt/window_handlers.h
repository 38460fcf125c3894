#pragma once
#include <functional>
#include <string_view>

// The game's answers to the window's events. The program connects them to the game logic;
// the window itself knows nothing of the game.
struct WindowHandlers {
    std::function<void(int button, int shift, double x, double y)>
        mouseDown;                                       // twips; 1 left, 2 right
    std::function<void(int code)> keyPress;              // 27 = Esc
    std::function<void()> unload;                        // the window closes
    std::function<void()> timer;                         // Timer1, every 50 ms
    std::function<void(std::string_view control)> menu;  // an item chosen or a title opened
    // The record panel: another drive or directory chosen, a file name clicked (UTF-8),
    // the "RETURN" button.
    std::function<void()> drive1Change;
    std::function<void()> dir1Change;
    std::function<void(std::string_view fileName)> file1Click;
    std::function<void()> command1Click;
};
