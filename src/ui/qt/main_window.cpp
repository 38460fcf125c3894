#include "ui/qt/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QLayout>
#include <QEventLoop>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmapCache>
#include <QPushButton>
#include <QScreen>
#include <QTime>
#include <QUrl>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <utility>

#include "ui/qt/answer_box.h"
#include "ui/qt/board_reader.h"
#include "ui/qt/canvas.h"
#include "ui/qt/interface_language.h"
#include "ui/qt/menus.h"
#include "ui/qt/record_panel.h"
#include "ui/qt/sound_backend.h"
#include "ui/qt/version_box.h"

namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// Marks the window busy for the life of the guard and restores the previous state after.
class Busy {
public:
    explicit Busy(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
    ~Busy() { flag_ = was_; }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    bool& flag_;
    bool was_;
};

bool isInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::TabletMove: return true;
        default: return false;
    }
}

// The frame of a 9700 × 8000 twip window around its 9600 × 7200 twip canvas: borders, the
// caption and the menu bar.
constexpr double FRAME_WIDTH_TWIPS = 100;
constexpr double FRAME_HEIGHT_TWIPS = 800;
// The placed window takes this share of the screen's height (or width, if narrower).
constexpr double SCREEN_SHARE = 0.8;
// A wait never lasts longer than this, whatever it is asked.
constexpr double LONGEST_WAIT_SECONDS = 60;
// The style keeps the pictures of the panel's buttons and lists for every size they take,
// and the panel follows the window's size: Qt's 10 MB would fill with sizes long gone.
constexpr int STYLE_PICTURES_KB = 1024;

}  // namespace

MainWindow::MainWindow(SoundBackend* sound) : sound_(sound) {
    dayStartMs_ = wallClock ? wallClock() : QTime::currentTime().msecsSinceStartOfDay();
    sinceStart_.start();
    setWindowTitle(QStringLiteral("Torvane"));
    QPixmapCache::setCacheLimit(STYLE_PICTURES_KB);
    board_reader::install();
    canvas_ = new CanvasWidget(this);
    setCentralWidget(canvas_);
    canvas_->setFocus();
    canvas_->onPress = [this](int button, double x, double y) {
        if (handlers_.mouseDown) run([&] { handlers_.mouseDown(button, 0, x, y); });
    };
    actions_ = buildMenus(menuBar(), [this](const std::string& control) { menuChosen(control); });
    // F10 opens the first menu; the arrow keys go on from there.
    auto* menuKey = new QAction(this);
    menuKey->setShortcut(Qt::Key_F10);
    addAction(menuKey);
    connect(menuKey, &QAction::triggered, this, [this] {
        if (menuBar()->actions().isEmpty()) return;
        // The bar holds the keyboard while it is active, so its arrows and Esc are its own.
        menuBar()->setFocus(Qt::MenuBarFocusReason);
        menuBar()->setActiveAction(menuBar()->actions()[0]);
    });
    // A menu closed with Esc leaves the bar holding the keyboard: Esc there is the game's too.
    menuBar()->installEventFilter(this);
    canvas_->installEventFilter(this);  // for the first frame
    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(50);
    connect(timer_, &QTimer::timeout, this, [this] {
        if (handlers_.timer) run(handlers_.timer);
    });
    // The window starts at the size the game gives it as it starts, so that what is drawn
    // before it appears is drawn (and its pictures painted ahead) at that size.
    placeWindow(CanvasWidget::DESIGN_WIDTH + FRAME_WIDTH_TWIPS,
                CanvasWidget::DESIGN_HEIGHT + FRAME_HEIGHT_TWIPS);
}

MainWindow::~MainWindow() {
    if (device_ != 0) closeSound();
}

void MainWindow::run(const std::function<void()>& handler) {
    if (busy_ || quitting_) return;
    {
        Busy busy(busy_);
        handler();
    }
    // What the event drew is on the screen when it ends, as if drawn straight onto the window.
    flush();
    afterHandler();
}

void MainWindow::afterHandler() {
    if (busy_) return;
    if (std::exchange(escapeRequested_, false) && !quitRequested_ && handlers_.keyPress) {
        run([&] { handlers_.keyPress(27); });
        return;
    }
    if (quitRequested_) {
        finishQuit();
    } else if (closeRequested_) {
        closeRequested_ = false;
        close();
    }
}

void MainWindow::menuChosen(const std::string& control) {
    // Check marks are the game's to set: undo the toggle of the click.
    if (QAction* a = action(control); a && a->isCheckable()) a->setChecked(checks_[control]);
    // A command chosen leaves no highlight on the bar; a title opened keeps its menu.
    if (!QApplication::activePopupWidget()) leaveMenuBar();
    if (handlers_.menu) run([&] { handlers_.menu(control); });
}

void MainWindow::leaveMenuBar() {
    // Only a highlight is taken: clearing a bar that has none leaves it deaf to the mouse.
    if (menuBar()->activeAction()) menuBar()->setActiveAction(nullptr);
    if (menuBar()->hasFocus()) canvas_->setFocus();
}

QAction* MainWindow::action(const std::string& control) const {
    auto it = actions_.find(control);
    return it == actions_.end() ? nullptr : it->second;
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    int code = event->key() == Qt::Key_Escape ? 27 : 0;
    if (code == 0 && event->text().size() == 1 && event->text()[0].unicode() < 128)
        code = event->text()[0].unicode();
    if (code == 0 || !handlers_.keyPress) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    run([&] { handlers_.keyPress(code); });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (quitting_) {
        event->accept();
        return;
    }
    if (busy_) {
        // Closed in the middle of COM's move or a message: close once it is over.
        closeRequested_ = true;
        event->ignore();
        return;
    }
    quitting_ = true;
    {
        Busy busy(busy_);
        if (handlers_.unload) handlers_.unload();
    }
    timer_->stop();
    // The program ends with its last window.
    event->accept();
}

void MainWindow::finishQuit() {
    if (quitting_) return;
    quitting_ = true;
    timer_->stop();
    close();
}

void MainWindow::quit() {
    quitRequested_ = true;
    if (!busy_)
        QMetaObject::invokeMethod(
            this, [this] { afterHandler(); }, Qt::QueuedConnection);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (waiting_ && isInput(event->type())) {
        // Esc ends the program in every state: it reaches the game once the event is over.
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            escapeRequested_ = true;
        return true;
    }
    if (watched == canvas_ && event->type() == QEvent::Paint && !framed_) {
        framed_ = true;
        canvas_->removeEventFilter(this);
        // Queued: the frame reaches the screen once the whole window is painted.
        QMetaObject::invokeMethod(
            this,
            [this] {
                decodeSounds();
                firstFrameShown_ = true;
                for (auto& then : std::exchange(afterFirstFrame_, {})) then();
            },
            Qt::QueuedConnection);
    }
    if (watched == menuBar() && !QApplication::activePopupWidget()) {
        const int key =
            event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride
                ? static_cast<QKeyEvent*>(event)->key()
                : 0;
        // The bar holding the keyboard keeps its arrows from the shortcuts of 戻 and 進.
        if (event->type() == QEvent::ShortcutOverride &&
            (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Escape)) {
            event->accept();
            return true;
        }
        // Esc leaves the bar; only the next one, on the board, ends the program.
        if (event->type() == QEvent::KeyPress && key == Qt::Key_Escape) {
            leaveMenuBar();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// Canvas

void MainWindow::drawPicture(int code, double left, double top) {
    canvas_->drawPicture(code, left, top);
}

void MainWindow::drawOutline(int colour, double left, double top, double right, double bottom) {
    canvas_->drawOutline(colour, left, top, right, bottom);
}

void MainWindow::drawText(double left, double top, std::string_view value, int colour, int size,
                          bool bold) {
    canvas_->drawText(left, top, translated(value), colour, size, bold);
}

void MainWindow::flush() { canvas_->flush(); }

// Dialogs

Answer MainWindow::message(std::string_view value, std::string_view title, Buttons buttons) {
    // The music asked for before the box plays while it is open, as it always has.
    decodeSounds();
    flush();
    Answer answer = Answer::Ok;
    {
        Busy busy(busy_);
        AnswerBox*& box = boxes_[std::size_t(buttons)];
        if (!box) box = new AnswerBox(this, buttons);
        // A box asked for while its like is open (never, today) gets one of its own.
        if (box->isVisible())
            answer = AnswerBox(this, buttons).ask(translated(title), translated(value));
        else
            answer = box->ask(translated(title), translated(value));
    }
    afterHandler();
    return answer;
}

bool MainWindow::showVersionBox() {
    flush();
    bool home = false;
    {
        Busy busy(busy_);
        VersionBox box(this);
        home = box.exec() == VersionBox::HomePage;
    }
    afterHandler();
    return home;
}

void MainWindow::browse(std::string_view target) {
    QString t = text(target);
    if (t.isEmpty()) return;
    QUrl url;
    if (t.contains(QStringLiteral("://"))) {
        url = QUrl(t);
    } else {
        // A path put together Windows-style still finds its file.
        if (!QFileInfo::exists(t)) t.replace(QLatin1Char('\\'), QLatin1Char('/'));
        url = QUrl::fromLocalFile(localizedPage(t));
    }
    if (url.isValid()) QDesktopServices::openUrl(url);
}

void MainWindow::placeWindow(double width, double height) {
    if (isMaximized() || isFullScreen()) return;
    if (!(width > FRAME_WIDTH_TWIPS) || !(height > FRAME_HEIGHT_TWIPS)) return;
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect area = screen->availableGeometry();
    double scale = std::min(SCREEN_SHARE * area.height() / (height / TWIPS_PER_PIXEL),
                            SCREEN_SHARE * area.width() / (width / TWIPS_PER_PIXEL));
    scale = std::max(scale, CanvasWidget::MIN_SCALE);
    int w = int(std::lround((width - FRAME_WIDTH_TWIPS) * scale / TWIPS_PER_PIXEL));
    int h = int(std::lround((height - FRAME_HEIGHT_TWIPS) * scale / TWIPS_PER_PIXEL));
    resize(w, h + menuBar()->sizeHint().height());
    // The canvas takes its size now, not at the first show: what is drawn before the window
    // appears has its pictures painted ahead at the right size.
    if (QLayout* l = layout()) l->activate();
    // The frame, title bar included, at the corner of the free area: so it goes for a window
    // not yet made, which the window manager frames.
    move(area.topLeft());
}

// Menus and timer

void MainWindow::setChecked(std::string_view item, bool checked) {
    std::string control(item);
    QAction* a = action(control);
    if (!a) return;
    checks_[control] = checked;
    a->setCheckable(true);
    a->setChecked(checked);
}

void MainWindow::setTimer(bool enabled) {
    if (!enabled)
        timer_->stop();
    else if (!timer_->isActive())
        timer_->start();
}

float MainWindow::timeOfDay() {
    constexpr qint64 DAY_MS = 86'400'000;
    // Starts again at 0 at midnight, as the clocks expect.
    return float((dayStartMs_ + sinceStart_.elapsed()) % DAY_MS) / 1000.f;
}

void MainWindow::wait(double seconds) {
    flush();
    // After Esc the rest of the event goes by without waiting: the program is about to end.
    if (!(seconds > 0) || escapeRequested_) return;
    auto ms = qint64(std::ceil(std::min(seconds, LONGEST_WAIT_SECONDS) * 1000));
    // A monotonic clock: the time of day would jump back at midnight.
    QDeadlineTimer deadline(ms, Qt::PreciseTimer);
    {
        Busy busy(busy_);
        bool wasWaiting = waiting_;
        waiting_ = true;
        qApp->installEventFilter(this);
        QEventLoop loop;
        QTimer alarm;
        alarm.setSingleShot(true);
        alarm.setTimerType(Qt::PreciseTimer);
        connect(&alarm, &QTimer::timeout, &loop, &QEventLoop::quit);
        // Paints and the sound go on; input is dropped by the filter and ticks by the guard.
        while (!deadline.hasExpired()) {
            // At least the millisecond that has begun: a timer of none would spin.
            alarm.start(
                std::chrono::ceil<std::chrono::milliseconds>(deadline.remainingTimeAsDuration()));
            if (loop.exec() != 0) break;  // the program is ending
            if (quitting_ || escapeRequested_) break;
        }
        if (!wasWaiting) qApp->removeEventFilter(this);
        waiting_ = wasWaiting;
    }
    afterHandler();
}

// Sound

int MainWindow::buffer(Sound sound) const { return buffers_[std::size_t(sound)]; }

bool MainWindow::openSound() {
    if (!sound_) return false;
    // The library needs no handle: asking for one would make the window before it is placed.
    if (device_ == 0) device_ = sound_->initialize(long(internalWinId()));
    return device_ != 0;
}

void MainWindow::loadSound(Sound sound, std::string bytes, int flag) {
    auto i = std::size_t(sound);
    if (device_ == 0) return;
    if (buffers_[i] != 0) sound_->free(std::exchange(buffers_[i], 0));
    if (soundsDeferred_)
        pending_[i] = Pending{std::move(bytes), flag};
    else {
        std::vector<std::string> refused;
        buffers_[i] = createBuffer(i, bytes, flag, refused);
        for (const std::string& why : refused) message(why, "Torvane.dll", Buttons::Ok);
    }
}

int MainWindow::createBuffer(std::size_t i, std::string_view bytes, int flag,
                             std::vector<std::string>& refused) {
    // The files of the sounds, in the order of Sound.
    static constexpr std::array<std::string_view, SOUND_KINDS> FILES = {
        "その他.wav", "禁止.wav", "駒打音.wav", "BGM.wav", "消滅.wav"};
    const int buffer = sound_->createBuffer(device_, bytes, flag);
    // A file that is there but that the library cannot take is reported with its reason.
    if (buffer == 0)
        if (const std::string why = sound_->refusal(bytes); !why.empty())
            refused.push_back(std::string(FILES[i]) + " を読み込めません（" + why + "）");
    return buffer;
}

// In the order they were loaded, then the loops asked for meanwhile, as the game did it.
void MainWindow::decodeSounds() {
    if (!soundsDeferred_) return;
    soundsDeferred_ = false;
    std::vector<std::string> refused;
    for (std::size_t i = 0; i < pending_.size(); ++i)
        if (pending_[i] && device_ != 0)
            buffers_[i] = createBuffer(i, pending_[i]->bytes, pending_[i]->flag, refused);
    for (std::size_t i = 0; i < pending_.size(); ++i)
        if (pending_[i] && pending_[i]->looping && buffers_[i] != 0) sound_->loop(buffers_[i]);
    pending_ = {};
    for (const std::string& why : refused) message(why, "Torvane.dll", Buttons::Ok);
    soundsSettled();
}

void MainWindow::whenSoundsReady(std::function<void()> then) {
    soundsReady_ = std::move(then);
    if (!soundsDeferred_) soundsSettled();
}

void MainWindow::afterFirstFrame(std::function<void()> then) {
    if (firstFrameShown_)
        then();
    else
        afterFirstFrame_.push_back(std::move(then));
}

void MainWindow::soundsSettled() {
    if (auto then = std::exchange(soundsReady_, nullptr)) then();
}

void MainWindow::freeSound(Sound sound) {
    auto i = std::size_t(sound);
    pending_[i].reset();
    if (buffers_[i] == 0) return;
    sound_->free(buffers_[i]);
    buffers_[i] = 0;
}

void MainWindow::closeSound() {
    pending_ = {};
    if (std::exchange(soundsDeferred_, false)) soundsSettled();
    if (device_ == 0) return;
    for (int& b : buffers_)
        if (b != 0) sound_->free(std::exchange(b, 0));
    sound_->terminate(std::exchange(device_, 0));
}

void MainWindow::playSound(Sound sound) {
    auto i = std::size_t(sound);
    if (pending_[i]) decodeSounds();  // heard at once, so needed now
    if (int b = buffer(sound)) sound_->play(b);
}

void MainWindow::loopSound(Sound sound) {
    auto i = std::size_t(sound);
    if (pending_[i])
        pending_[i]->looping = true;
    else if (int b = buffer(sound))
        sound_->loop(b);
}

void MainWindow::stopSound(Sound sound) {
    auto i = std::size_t(sound);
    if (pending_[i])
        pending_[i]->looping = false;
    else if (int b = buffer(sound))
        sound_->stop(b);
}

// The record panel

// Its widgets are made when the game first needs them: a list view wakes the desktop's
// accessibility bridge, which costs a start-up a round trip to the session bus.
RecordPanel& MainWindow::panel() {
    if (panel_ != nullptr) return *panel_;
    panel_ = new RecordPanel(canvas_);
    // The panel's events are events of the window like a click: one at a time.
    panel_->onDriveChange = [this] {
        if (handlers_.drive1Change) run(handlers_.drive1Change);
    };
    panel_->onDirectoryChange = [this] {
        if (handlers_.dir1Change) run(handlers_.dir1Change);
    };
    panel_->onFileClick = [this](const QString& name) {
        const std::string file = name.toStdString();
        if (handlers_.file1Click) run([&] { handlers_.file1Click(file); });
    };
    panel_->onCommand = [this] {
        if (handlers_.command1Click) run(handlers_.command1Click);
    };
    if (!startDirectory_.isEmpty()) panel_->setDirectory(startDirectory_);
    if (!startFileDirectory_.isEmpty()) panel_->setFileDirectory(startFileDirectory_);
    return *panel_;
}

void MainWindow::showRecordLists(bool drive, bool directory, bool file) {
    if (panel_ != nullptr || drive || directory || file) panel().showLists(drive, directory, file);
}

void MainWindow::showRecordInputs(bool shown) {
    if (panel_ != nullptr || shown) panel().showInputs(shown);
}

void MainWindow::clearRecordInputs() {
    if (panel_ != nullptr) panel_->clearInputs();
}

std::string MainWindow::recordInput(int box) {
    return panel_ != nullptr ? panel_->input(box).toStdString() : std::string();
}

std::string MainWindow::recordDrive() { return panel().drive().toStdString(); }

std::string MainWindow::recordDirectory() { return panel().directory().toStdString(); }

bool MainWindow::setRecordDirectory(std::string_view path) {
    if (panel_ != nullptr) return panel_->setDirectory(text(path));
    // Kept for the panel, which is not made for this alone.
    const QString directory = RecordPanel::enterable(text(path));
    if (directory.isEmpty()) return false;
    startDirectory_ = directory;
    return true;
}

std::string MainWindow::recordFileDirectory() { return panel().fileDirectory().toStdString(); }

void MainWindow::setRecordFileDirectory(std::string_view path) {
    if (panel_ != nullptr)
        panel_->setFileDirectory(text(path));
    else
        startFileDirectory_ = text(path);
}

void MainWindow::refreshRecordFiles() { panel().refreshFiles(); }

// The screen reader

void MainWindow::describe(const ReaderView& view) {
    canvas_->setReaderNames(board_reader::names(view), board_reader::news(view));
}
