#pragma once
#include <QDialog>

// Form2, the version box: the whole title picture, the version, the copyright and the licence,
// and the buttons "ホームページ" and "O K".
class VersionBox : public QDialog {
    Q_OBJECT

public:
    // The result of exec() when "ホームページ" closed the box.
    static constexpr int HomePage = 2;
    explicit VersionBox(QWidget* parent = nullptr);
};
