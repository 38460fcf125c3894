#include "ui/qt/version_box.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt/artwork.h"
#include "ui/qt/canvas_ops.h"

#ifndef TORVANE_VERSION
#define TORVANE_VERSION "0.1.0"
#endif

namespace {

// The title picture whole, three and a half cells wide and one tall, at twice the canvas's
// size at scale 1.
class TitlePicture : public QWidget {
public:
    explicit TitlePicture(QWidget* parent) : QWidget(parent) {
        setObjectName("Picture");
        setFixedSize(int(2 * pictureWidthInCells(-3) * CELL_W / TWIPS_PER_PIXEL),
                     int(2 * CELL_H / TWIPS_PER_PIXEL));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        paintPicture(painter, -3, QRectF(0, 0, width() / pictureWidthInCells(-3), height()));
    }
};

}  // namespace

VersionBox::VersionBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QCoreApplication::translate("Torvane", "バージョン情報"));
    setModal(true);

    auto* version = new QLabel(QStringLiteral("Torvane " TORVANE_VERSION), this);
    version->setObjectName("Version");
    QFont font = version->font();
    font.setPixelSize(20);
    font.setBold(true);
    version->setFont(font);
    auto* about = new QLabel(QCoreApplication::translate("Torvane", "将棋ゲーム"), this);
    auto* copyright = new QLabel(QString::fromUtf8("Copyright © 2026 Torvane developers"), this);
    auto* licence = new QLabel(QString::fromUtf8("MIT License"), this);
    licence->setObjectName("Licence");

    auto* text = new QVBoxLayout;
    text->setSpacing(4);
    for (QLabel* line : {version, about, copyright, licence}) {
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);
        text->addWidget(line, 0, Qt::AlignHCenter);
    }
    text->insertSpacing(2, 8);

    auto* home = new QPushButton(QCoreApplication::translate("Torvane", "ホームページ"), this);
    home->setObjectName("Command1");
    auto* ok = new QPushButton(QCoreApplication::translate("Torvane", "O K"), this);
    ok->setObjectName("Command2");
    ok->setDefault(true);
    connect(home, &QPushButton::clicked, this, [this] { done(HomePage); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(home);
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new TitlePicture(this), 0, Qt::AlignHCenter);
    layout->addSpacing(8);
    layout->addLayout(text);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
