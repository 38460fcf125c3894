#pragma once
#include <QObject>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <string>

class CanvasWidget;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QWidget;

// The places offered by the drive list: the file-system root, the home directory and the
// volumes mounted under /media, /mnt and /run/media, read from the text of /proc/self/mounts.
QStringList recordDrives(const QString& mounts, const QString& home);
// The drive that holds a directory: the longest drive path it lies in.
QString driveOf(const QStringList& drives, const QString& directory);

// The record panel on the canvas: the drive list Drive1, the directory list Dir1, the file list
// File1 (files "*.棋譜"), the labels Label1(0..3), the name boxes Text1..Text4 and the button
// Command1. They sit at fixed twip positions and follow every change of the canvas's scale.
// What the player does with them is passed on through the callbacks; the panel itself only
// moves through directories and lists what is in them.
class RecordPanel : public QObject {
public:
    explicit RecordPanel(CanvasWidget* canvas);

    void showLists(bool drive, bool directory, bool file);
    void showInputs(bool shown);
    void clearInputs();
    // Text1..Text4 by 1..4.
    QString input(int box) const;
    QString drive() const;
    QString directory() const { return directory_; }
    // False, and nothing changes, when the directory cannot be opened.
    bool setDirectory(const QString& path);
    // The absolute path of a directory that can be opened, or nothing.
    static QString enterable(const QString& path);
    QString fileDirectory() const { return fileDirectory_; }
    void setFileDirectory(const QString& path);
    void refreshFiles();

    // Another drive chosen, another directory entered, a file name clicked, "RETURN" pressed.
    std::function<void()> onDriveChange, onDirectoryChange, onCommand;
    std::function<void(const QString& fileName)> onFileClick;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Placed {
        QWidget* widget;
        QRectF twips;
    };
    void place();
    void fillDrives();
    void fillDirectories();
    void showDriveOfDirectory();
    void enter(const QString& path);

    CanvasWidget* canvas_;
    QComboBox* drive_;
    QStringList drives_;  // what drive_ lists
    QTreeWidget* directories_;
    QListWidget* files_;
    std::array<QLabel*, 4> labels_{};
    std::array<QLineEdit*, 4> boxes_{};  // Text1..Text4
    QPushButton* command_;
    std::array<Placed, 12> placed_{};
    QString directory_, fileDirectory_;
};
