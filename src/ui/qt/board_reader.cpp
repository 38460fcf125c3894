#include "ui/qt/board_reader.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QPointer>
#include <QWindow>

#include "ui/geometry.h"
#include "ui/qt/canvas.h"

namespace board_reader {
namespace {

// A word the game hands over, in the language of the interface.
QString word(const char* text) { return QCoreApplication::translate("Torvane", text); }
QString word(const std::string& text) { return word(text.c_str()); }

// A piece as a reader says it: a whole word, where the canvas has room only for a letter.
QString piece(const std::string& text) {
    return QCoreApplication::translate("Torvane", text.c_str(), "reader");
}
QString plain(const std::string& text) { return QString::fromStdString(text); }

const char* const RANKS[] = {QT_TRANSLATE_NOOP("Torvane", "一"), QT_TRANSLATE_NOOP("Torvane", "二"),
                             QT_TRANSLATE_NOOP("Torvane", "三"), QT_TRANSLATE_NOOP("Torvane", "四"),
                             QT_TRANSLATE_NOOP("Torvane", "五"), QT_TRANSLATE_NOOP("Torvane", "六"),
                             QT_TRANSLATE_NOOP("Torvane", "七"), QT_TRANSLATE_NOOP("Torvane", "八"),
                             QT_TRANSLATE_NOOP("Torvane", "九")};

// File digit, rank and piece as the canvas draws them, in the words of the language.
QString moveText(const MoveWords& m) {
    return QCoreApplication::translate("Torvane", "%1%2%3", "a move: file, rank, piece")
        .arg(word(m[0]), word(m[1]), piece(m[2]));
}

QString side(const ReaderView& v, int which) { return word(v.sides[std::size_t(which)]); }
// The side as the owner of a hand, a clock or a move: "Your", not "You's".
QString owner(const ReaderView& v, int which) {
    return QCoreApplication::translate("Torvane", v.sides[std::size_t(which)].c_str(), "whose");
}

QString stand(const ReaderView& v, int which) {
    QString name = QCoreApplication::translate("Torvane", "%1の持ち駒").arg(owner(v, which));
    const auto& hand = v.hands[std::size_t(which)];
    if (hand.empty())
        return name + QLatin1Char(' ') + QCoreApplication::translate("Torvane", "なし");
    for (const auto& [kind, count] : hand)
        name += QLatin1Char(' ') + piece(kind) + QString::number(count);
    return name;
}

// A part of the canvas: no widget of its own, named by the canvas.
class PartInterface : public QAccessibleInterface {
public:
    PartInterface(CanvasWidget* canvas, int part) : canvas_(canvas), part_(part) {}
    bool isValid() const override { return !canvas_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return canvas_ ? canvas_->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return canvas_ ? QAccessible::queryAccessibleInterface(canvas_.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && canvas_ ? canvas_->readerName(part_) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!canvas_) return {};
        const QRectF twips = place(part_);
        const QRectF pixels(canvas_->toPixels(twips.topLeft()),
                            canvas_->toPixels(twips.bottomRight()));
        return QRect(canvas_->mapToGlobal(pixels.topLeft().toPoint()), pixels.size().toSize());
    }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        if (!canvas_ || !canvas_->isVisible()) s.invisible = true;
        return s;
    }

private:
    QPointer<CanvasWidget> canvas_;
    int part_;
};

class CanvasInterface : public QAccessibleWidget {
public:
    explicit CanvasInterface(CanvasWidget* canvas)
        : QAccessibleWidget(canvas, QAccessible::Canvas) {
        for (int i = 0; i < PART_COUNT; ++i)
            ids_.push_back(QAccessible::registerAccessibleInterface(new PartInterface(canvas, i)));
    }
    ~CanvasInterface() override {
        for (auto id : ids_) QAccessible::deleteAccessibleInterface(id);
    }
    int childCount() const override { return PART_COUNT; }
    QAccessibleInterface* child(int index) const override {
        return index >= 0 && index < PART_COUNT
                   ? QAccessible::accessibleInterface(ids_[std::size_t(index)])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (std::size_t i = 0; i < ids_.size(); ++i)
            if (QAccessible::accessibleInterface(ids_[i]) == child) return int(i);
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (QAccessible::Id id : ids_)
            if (QAccessibleInterface* c = QAccessible::accessibleInterface(id);
                c && c->rect().contains(x, y))
                return c;
        return nullptr;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return static_cast<CanvasWidget*>(widget())->readerName(-1);
        return QAccessibleWidget::text(t);
    }

private:
    std::vector<QAccessible::Id> ids_;
};

QAccessibleInterface* factory(const QString&, QObject* object) {
    if (auto* canvas = dynamic_cast<CanvasWidget*>(object)) return new CanvasInterface(canvas);
    return nullptr;
}

}  // namespace

std::vector<QString> names(const ReaderView& v) {
    std::vector<QString> out(PART_COUNT);
    for (int i = 0; i < SQUARES; ++i) {
        const auto& sq = v.squares[std::size_t(i)];
        // Files 9..1 from the left, ranks 一..九 from the top, as the board's labels.
        QString name = QString::number(9 - i % 9) + word(RANKS[i / 9]);
        if (!sq.piece.empty())
            name += QLatin1Char(' ') + piece(sq.piece) + QLatin1Char(' ') + side(v, sq.side);
        out[std::size_t(i)] = name;
    }
    out[BOTTOM_STAND] = stand(v, 0);
    out[TOP_STAND] = stand(v, 1);
    for (int w = 0; w < 2; ++w) {
        const auto& clock = v.clocks[std::size_t(w)];
        out[std::size_t(BOTTOM_CLOCK + w)] =
            QCoreApplication::translate("Torvane", "%1の時間").arg(owner(v, w)) + QLatin1Char(' ') +
            (clock.empty() ? QCoreApplication::translate("Torvane", "表示なし") : plain(clock));
        const auto& move = v.moveTexts[std::size_t(w)];
        out[std::size_t(BOTTOM_MOVE + w)] =
            QCoreApplication::translate("Torvane", "%1の指し手").arg(owner(v, w)) +
            QLatin1Char(' ') +
            (move == MoveWords{} ? QCoreApplication::translate("Torvane", "なし") : moveText(move));
    }
    out[MOVE_NUMBER] = QCoreApplication::translate("Torvane", "%1手目").arg(v.moveNumber);
    out[LEVEL] = v.level > 0 ? QCoreApplication::translate("Torvane", "レベル %1").arg(v.level)
                             : QCoreApplication::translate("Torvane", "レベル表示なし");
    out[HANDICAP] = v.handicap.empty()
                        ? QCoreApplication::translate("Torvane", "ハンディキャップなし")
                        : word(v.handicap);
    out[TYPING] =
        QCoreApplication::translate("Torvane", "入力中の指し手") + QLatin1Char(' ') +
        (v.typing.empty() ? QCoreApplication::translate("Torvane", "なし") : plain(v.typing));
    return out;
}

QString news(const ReaderView& v) {
    QStringList said;
    for (const auto& [who, move] : v.news) said << side(v, who) + QLatin1Char(' ') + moveText(move);
    return said.join(QCoreApplication::translate("Torvane", "、"));
}

QRectF place(int part) {
    // Cells as the drawing places them: (x, y) from 1050 + 495x, 100 + 615y twips.
    auto cells = [](double x, double y, double w, double h) {
        return QRectF(セル左(x), セル上(y), CELL_W * w, CELL_H * h);
    };
    if (part >= 0 && part < SQUARES) return cells(1 + part % 9, 1 + part / 9, 1, 1);
    switch (part) {
        case BOTTOM_STAND: return cells(11, 3, 2, 7);
        case TOP_STAND: return cells(-1, 1, 2, 7);
        case BOTTOM_CLOCK: return cells(13, 9, 3, 1);
        case TOP_CLOCK: return cells(-2, 9, 3, 1);
        case BOTTOM_MOVE: return cells(12, 2, 3, 1);
        case TOP_MOVE: return cells(-2, 8, 3, 1);
        case MOVE_NUMBER: return cells(13, 3, 2, 1);
        case LEVEL: return cells(-2, 0, 3, 1);
        case HANDICAP: return cells(11, 1, 4, 1);
        case TYPING: return cells(13, 5, 3, 1);
        default: return {};
    }
}

QString canvasName(const QString& announced) {
    return announced.isEmpty()
               ? QCoreApplication::translate("Torvane", "将棋盤")
               : QCoreApplication::translate("Torvane", "将棋盤") + QLatin1Char(' ') + announced;
}

}  // namespace board_reader

void CanvasWidget::setReaderNames(std::vector<QString> names, const QString& announced) {
    using namespace board_reader;
    names.resize(PART_COUNT);
    readerNames_.resize(PART_COUNT);
    QAccessibleInterface* me =
        QAccessible::isActive() ? QAccessible::queryAccessibleInterface(this) : nullptr;
    bool gameChanged = false;  // anything but the clocks and the typing
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (readerNames_[i] == names[i]) continue;
        const bool first = readerNames_[i].isEmpty();
        readerNames_[i] = names[i];
        if (!first && i != BOTTOM_CLOCK && i != TOP_CLOCK && i != TYPING) gameChanged = true;
        if (me) {
            QAccessibleEvent changed(me->child(int(i)), QAccessible::NameChanged);
            QAccessible::updateAccessibility(&changed);
        }
    }
    // A position changed without a move drawn (a new game, a handicap step, the start) is
    // announced by its move number.
    QString said = announced;
    if (said.isEmpty() && gameChanged) said = readerNames_[MOVE_NUMBER];
    if (said.isEmpty()) return;
    readerCanvasName_ = canvasName(said);
    // The canvas holds the keyboard: a reader speaks the new name of what has the focus.
    if (me) {
        QAccessibleEvent changed(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

QString CanvasWidget::readerName(int part) const {
    if (part < 0)
        return readerCanvasName_.isEmpty() ? board_reader::canvasName({}) : readerCanvasName_;
    return std::size_t(part) < readerNames_.size() ? readerNames_[std::size_t(part)] : QString();
}

namespace board_reader {

void install() {
    static bool installed = false;
    if (!std::exchange(installed, true)) QAccessible::installFactory(factory);
}

}  // namespace board_reader
