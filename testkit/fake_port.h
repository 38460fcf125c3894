#pragma once
#include <array>
#include <cstdio>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "play/state.h"
#include "ui/port.h"

// A port that remembers every call as one line of text, answers message boxes from a
// script (OK when the script is empty) and has a time of day the test sets.
class FakePort : public Port {
public:
    std::vector<std::string> calls;
    std::deque<Answer> answers;
    float now = 0.0f;
    bool timerOn = false;
    bool hasSound = true;         // what openSound answers
    bool homePageChosen = false;  // what showVersionBox answers
    // The record panel: Text1..Text4 by 1..4, the drive chosen, Dir1's and File1's directories.
    std::array<std::string, 5> inputs;
    std::string drive = "/";
    std::string directory = ".";
    std::string fileDirectory = ".";
    bool directoryOpens = true;  // whether setRecordDirectory succeeds

    void drawPicture(int code, double left, double top) override {
        add("picture " + std::to_string(code) + " " + num(left) + " " + num(top));
    }
    void drawOutline(int colour, double left, double top, double right, double bottom) override {
        add("outline " + std::to_string(colour) + " " + num(left) + " " + num(top) + " " +
            num(right) + " " + num(bottom));
    }
    void drawText(double left, double top, std::string_view text, int colour, int size,
                  bool bold) override {
        add("text " + num(left) + " " + num(top) + " " + std::string(text) + " colour " +
            std::to_string(colour) + " size " + std::to_string(size) + (bold ? " bold" : ""));
    }
    void flush() override { add("flush"); }
    Answer message(std::string_view text, std::string_view title, Buttons buttons) override {
        add("message " + std::string(text) + " | " + std::string(title) +
            (buttons == Buttons::YesNo ? " | yesno" : ""));
        if (answers.empty()) return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    void setChecked(std::string_view item, bool checked) override {
        add("check " + std::string(item) + (checked ? " on" : " off"));
    }
    void setTimer(bool enabled) override {
        timerOn = enabled;
        add(enabled ? "timer on" : "timer off");
    }
    float timeOfDay() override { return now; }
    void wait(double seconds) override { add("wait " + num(seconds)); }
    void playSound(Sound sound) override { add("play " + std::to_string(int(sound))); }
    void loopSound(Sound sound) override { add("loop " + std::to_string(int(sound))); }
    void stopSound(Sound sound) override { add("stop " + std::to_string(int(sound))); }
    void browse(std::string_view target) override { add("browse " + std::string(target)); }
    bool openSound() override {
        add("openSound");
        return hasSound;
    }
    void loadSound(Sound sound, std::string bytes, int flag) override {
        add("loadSound " + std::to_string(int(sound)) + " " + std::to_string(bytes.size()) + " " +
            std::to_string(flag));
    }
    void freeSound(Sound sound) override { add("freeSound " + std::to_string(int(sound))); }
    void closeSound() override { add("closeSound"); }
    void placeWindow(double width, double height) override {
        add("placeWindow " + num(width) + " " + num(height));
    }
    bool showVersionBox() override {
        add("versionBox");
        return homePageChosen;
    }
    void quit() override { add("quit"); }
    void showRecordLists(bool drive_, bool directory_, bool file) override {
        add("lists " + std::to_string(drive_) + " " + std::to_string(directory_) + " " +
            std::to_string(file));
    }
    void showRecordInputs(bool shown) override { add(shown ? "inputs on" : "inputs off"); }
    void clearRecordInputs() override {
        add("clear inputs");
        inputs = {};
    }
    std::string recordInput(int box) override {
        return box >= 1 && box <= 4 ? inputs[std::size_t(box)] : std::string();
    }
    std::string recordDrive() override { return drive; }
    std::string recordDirectory() override { return directory; }
    bool setRecordDirectory(std::string_view path) override {
        add("directory " + std::string(path) + (directoryOpens ? "" : " failed"));
        if (directoryOpens) directory = path;
        return directoryOpens;
    }
    std::string recordFileDirectory() override { return fileDirectory; }
    void setRecordFileDirectory(std::string_view path) override {
        add("file directory " + std::string(path));
        fileDirectory = path;
    }
    void refreshRecordFiles() override { add("refresh files"); }

    void clear() { calls.clear(); }
    // The calls that start with the prefix, in order.
    std::vector<std::string> only(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const auto& c : calls)
            if (c.rfind(prefix, 0) == 0) out.push_back(c);
        return out;
    }
    std::size_t count(const std::string& prefix) const { return only(prefix).size(); }

    static std::string num(double v) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%g", v);
        return buf;
    }

private:
    void add(std::string line) { calls.push_back(std::move(line)); }
};

// A fresh game state on its own fake port.
struct Fixture {
    FakePort port;
    std::unique_ptr<State> state = std::make_unique<State>(port);
    State& s = *state;
};
