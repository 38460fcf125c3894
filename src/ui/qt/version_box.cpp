#include "ui/qt/version_box.h"

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

// The title picture, two cells tall, drawn at the box's own resolution.
class TitlePicture : public QWidget {
public:
    explicit TitlePicture(QWidget* parent) : QWidget(parent) {
        setFixedSize(int(2 * CELL_WIDTH / TWIPS_PER_PIXEL), int(2 * CELL_HEIGHT / TWIPS_PER_PIXEL));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        paintPicture(painter, -3, QRectF(rect()));
    }
};

}  // namespace

VersionBox::VersionBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8("バージョン情報"));
    setModal(true);

    auto* version = new QLabel(QStringLiteral("Torvane " TORVANE_VERSION), this);
    QFont font(CANVAS_FONT);
    font.setPixelSize(20);
    font.setBold(true);
    version->setFont(font);
    auto* about = new QLabel(QString::fromUtf8("将棋ゲーム"), this);

    auto* text = new QVBoxLayout;
    text->addStretch();
    text->addWidget(version);
    text->addWidget(about);
    text->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(new TitlePicture(this));
    top->addSpacing(16);
    top->addLayout(text);
    top->addStretch();

    auto* home = new QPushButton(QString::fromUtf8("ホームページ"), this);
    home->setObjectName("Command1");
    auto* ok = new QPushButton(QString::fromUtf8("O K"), this);
    ok->setObjectName("Command2");
    ok->setDefault(true);
    connect(home, &QPushButton::clicked, this, [this] { done(HomePage); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(home);
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
