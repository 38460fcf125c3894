#include "ui/qt/record_panel.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ranges>
#include <filesystem>
#include <utility>
#include <vector>

#include "files/text_file.h"
#include "ui/qt/canvas.h"

namespace {

// A proportional face, like the dialog font of the classic desktop, so the captions fit.
constexpr const char* PANEL_FONT = "IPAPGothic";
// Text height and directory indent at scale 1, in twips.
constexpr double FONT_TWIPS = 180;
constexpr double INDENT_TWIPS = 120;
constexpr double ICON_TWIPS = 180;
constexpr std::string_view RECORD_SUFFIX = ".棋譜";

// Paths and names are held in the lossless text form of the file layer (nameText), so that a
// folder or a file whose name is not UTF-8 is reached by its real bytes.
std::string bytesOf(const QString& path) { return nameBytes(path.toStdString()); }
QString textOf(std::string_view bytes) { return QString::fromStdString(nameText(bytes)); }
// What the player sees of a name: decoded from CP932 where it is not UTF-8.
QString shown(std::string_view bytes) { return QString::fromStdString(displayName(bytes)); }

// The mount points in /proc/self/mounts write a blank, a tab, a line end and a backslash
// as three octal digits after a backslash.
QString mountPoint(const QByteArray& field) {
    QByteArray out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            bool ok = false;
            int v = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok && v < 256) {
                out += char(v);
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return textOf(std::string_view(out.constData(), std::size_t(out.size())));
}

bool isUserVolume(const QString& path) {
    for (const char* top : {"/media/", "/mnt/", "/run/media/"})
        if (path.startsWith(QLatin1String(top)) && path.size() > qsizetype(std::strlen(top)))
            return true;
    return false;
}

bool canEnter(const QString& path) {
    const std::string bytes = bytesOf(path);
    struct stat st {};
    return ::stat(bytes.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
           ::access(bytes.c_str(), R_OK | X_OK) == 0;
}

QString absolute(const QString& path) {
    std::error_code ec;
    const QString current = textOf(std::filesystem::current_path(ec).native());
    return QDir::cleanPath(QDir(current).absoluteFilePath(path));
}

bool within(const QString& directory, const QString& top) {
    if (top == QLatin1String("/")) return directory.startsWith(QLatin1Char('/'));
    return directory == top || directory.startsWith(top + QLatin1Char('/'));
}

// Labels are captions only: a click on one is not a click on the board beneath.
class Caption : public QLabel {
public:
    Caption(const QString& text, QWidget* parent) : QLabel(text, parent) {}

protected:
    void mousePressEvent(QMouseEvent* event) override { event->accept(); }
    void mouseDoubleClickEvent(QMouseEvent* event) override { event->accept(); }
};

}  // namespace

QStringList recordDrives(const QString& mounts, const QString& home) {
    QStringList drives{QStringLiteral("/")};
    auto add = [&drives](const QString& path) {
        if (path.isEmpty() || !path.startsWith(QLatin1Char('/'))) return;
        QString p = QDir::cleanPath(path);
        if (!drives.contains(p)) drives << p;
    };
    add(home);
    for (const QByteArray& line : mounts.toUtf8().split('\n')) {
        QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 2) continue;
        QString point = mountPoint(fields[1]);
        if (isUserVolume(point)) add(point);
    }
    return drives;
}

QString driveOf(const QStringList& drives, const QString& directory) {
    QString best;
    for (const QString& d : drives)
        if (within(directory, d) && d.size() > best.size()) best = d;
    return best;
}

RecordPanel::RecordPanel(CanvasWidget* canvas) : QObject(canvas), canvas_(canvas) {
    directory_ = fileDirectory_ = absolute(QStringLiteral("."));

    drive_ = new QComboBox(canvas);
    drive_->setObjectName(QStringLiteral("Drive1"));
    connect(drive_, &QComboBox::activated, this, [this] {
        if (onDriveChange) onDriveChange();
        // A drive that could not be opened is not left showing.
        showDriveOfDirectory();
    });

    directories_ = new QTreeWidget(canvas);
    directories_->setObjectName(QStringLiteral("Dir1"));
    directories_->setHeaderHidden(true);
    directories_->setRootIsDecorated(false);
    directories_->setItemsExpandable(false);
    directories_->setExpandsOnDoubleClick(false);
    directories_->setUniformRowHeights(true);
    // Open folders down to the current one, as a directory list shows them: no branch arrows.
    directories_->setStyleSheet(
        QStringLiteral("QTreeView::branch { image: none; border-image: none; }"));
    // A directory is entered as a desktop list opens an entry: by double click or Enter.
    // The list is filled again afterwards, so not inside the signal of one of its items.
    connect(directories_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        QString path = item->data(0, Qt::UserRole).toString();
        QMetaObject::invokeMethod(
            this, [this, path] { enter(path); }, Qt::QueuedConnection);
    });

    files_ = new QListWidget(canvas);
    files_->setObjectName(QStringLiteral("File1"));
    connect(files_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (onFileClick) onFileClick(item->data(Qt::UserRole).toString());
    });

    static const char* const CAPTIONS[] = {
        QT_TRANSLATE_NOOP("Torvane", "ﾌｧｲﾙ名 ："), QT_TRANSLATE_NOOP("Torvane", "後    手 ："),
        QT_TRANSLATE_NOOP("Torvane", "先    手 ："), QT_TRANSLATE_NOOP("Torvane", "対 局 名：")};
    for (int i = 0; i < 4; ++i) {
        labels_[i] = new Caption(QCoreApplication::translate("Torvane", CAPTIONS[i]), canvas);
        labels_[i]->setObjectName(QStringLiteral("Label1(%1)").arg(i));
        labels_[i]->setAutoFillBackground(true);
        labels_[i]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        boxes_[i] = new QLineEdit(canvas);
        boxes_[i]->setObjectName(QStringLiteral("Text%1").arg(i + 1));
        boxes_[i]->setTextMargins(0, 0, 0, 0);
    }
    command_ = new QPushButton(QStringLiteral("RETURN"), canvas);
    command_->setObjectName(QStringLiteral("Command1"));
    command_->setAutoDefault(false);
    connect(command_, &QPushButton::clicked, this, [this] {
        if (onCommand) onCommand();
    });

    // Enter goes down the boxes as they stand on the screen; in the file name it writes.
    QLineEdit* const order[] = {boxes_[1], boxes_[2], boxes_[3], boxes_[0]};
    for (int i = 0; i < 3; ++i) {
        QWidget::setTabOrder(order[i], order[i + 1]);
        QLineEdit* next = order[i + 1];
        connect(order[i], &QLineEdit::returnPressed, next, [next] { next->setFocus(); });
    }
    QWidget::setTabOrder(boxes_[0], command_);
    connect(boxes_[0], &QLineEdit::returnPressed, this, [this] {
        if (onCommand) onCommand();
    });

    placed_ = {{{drive_, {240, 360, 2535, 300}},
                {directories_, {240, 600, 2535, 1710}},
                {files_, {240, 2280, 2535, 930}},
                {labels_[3], {120, 2400, 840, 270}},
                {boxes_[1], {960, 2400, 2295, 270}},
                {labels_[2], {120, 2640, 840, 270}},
                {boxes_[2], {960, 2640, 2295, 270}},
                {labels_[1], {120, 2880, 840, 270}},
                {boxes_[3], {960, 2880, 2295, 270}},
                {labels_[0], {120, 3120, 840, 270}},
                {boxes_[0], {960, 3120, 2295, 270}},
                {command_, {3360, 3000, 855, 375}}}};
    for (const Placed& p : placed_) {
        p.widget->hide();
        p.widget->installEventFilter(this);
    }
    canvas_->installEventFilter(this);
    place();
}

bool RecordPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == canvas_) {
        if (event->type() == QEvent::Resize) place();
        return false;
    }
    if (event->type() != QEvent::KeyPress) return false;
    // Keys typed into the panel are the panel's: what its controls leave unused does not go
    // on to the window, so Esc never ends the game from a half-typed name.
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape) return true;
    if (watched == files_ && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        if (QListWidgetItem* item = files_->currentItem(); item && onFileClick)
            onFileClick(item->data(Qt::UserRole).toString());
        return true;
    }
    watched->event(event);
    event->accept();
    return true;
}

void RecordPanel::place() {
    const double k = canvas_->scale() / TWIPS_PER_PIXEL;  // pixels per twip
    auto px = [k](double twips) { return int(std::lround(twips * k)); };
    for (const Placed& p : placed_) {
        const QRectF& r = p.twips;
        int left = px(r.left()), top = px(r.top());
        p.widget->setGeometry(QRect(left, top, px(r.right()) - left, px(r.bottom()) - top)
                                  .translated(canvas_->origin().toPoint()));
    }
    QFont font(QString::fromLatin1(PANEL_FONT));
    font.setPixelSize(std::max(1, px(FONT_TWIPS)));
    for (const Placed& p : placed_) p.widget->setFont(font);

    // The captions keep to the room left of their boxes.
    QFont caption = font;
    const QFontMetricsF metrics(font);
    const double widest = std::ranges::max(labels_ | std::views::transform([&](QLabel* l) {
                                               return metrics.horizontalAdvance(l->text());
                                           }));
    const double room = labels_[0]->width() - 2;
    if (room > 0) {
        const double fit = std::min(1.0, room / widest);
        caption.setPixelSize(std::max(1, int(std::floor(font.pixelSize() * fit))));
    }
    for (QLabel* l : labels_) l->setFont(caption);

    directories_->setIndentation(px(INDENT_TWIPS));
    directories_->setIconSize(QSize(px(ICON_TWIPS), px(ICON_TWIPS)));
    files_->setIconSize(QSize(px(ICON_TWIPS), px(ICON_TWIPS)));
}

void RecordPanel::showLists(bool drive, bool directory, bool file) {
    // Shown afresh: a volume plugged in or a record saved meanwhile is listed.
    if (drive && drive_->isHidden()) fillDrives();
    if (directory && directories_->isHidden()) fillDirectories();
    if (file && files_->isHidden()) refreshFiles();
    drive_->setVisible(drive);
    directories_->setVisible(directory);
    files_->setVisible(file);
    if (!drive && !directory && !file && QApplication::focusWidget() &&
        canvas_->isAncestorOf(QApplication::focusWidget()))
        canvas_->setFocus();
}

void RecordPanel::showInputs(bool shown) {
    for (std::size_t i = 3; i < placed_.size(); ++i) placed_[i].widget->setVisible(shown);
    if (shown) {
        boxes_[1]->setFocus();
    } else if (QWidget* f = QApplication::focusWidget();
               f && f != canvas_ && canvas_->isAncestorOf(f)) {
        canvas_->setFocus();
    }
}

void RecordPanel::clearInputs() {
    for (QLineEdit* box : boxes_) box->clear();
}

QString RecordPanel::input(int box) const {
    return box >= 1 && box <= 4 ? boxes_[std::size_t(box - 1)]->text() : QString();
}

QString RecordPanel::drive() const { return drive_->currentData().toString(); }

QString RecordPanel::enterable(const QString& path) {
    if (path.isEmpty()) return {};
    QString p = absolute(path);
    return canEnter(p) ? p : QString();
}

bool RecordPanel::setDirectory(const QString& path) {
    const QString p = enterable(path);
    if (p.isEmpty()) return false;
    directory_ = p;
    fillDirectories();
    showDriveOfDirectory();
    return true;
}

void RecordPanel::setFileDirectory(const QString& path) {
    fileDirectory_ = absolute(path);
    refreshFiles();
}

void RecordPanel::refreshFiles() {
    files_->clear();
    // Records by the name the player reads, whatever the bytes: an archive made on a Japanese
    // system has the names (and the extension) in CP932.
    std::vector<std::pair<QString, QString>> records;  // shown, real
    for (const FolderEntry& e : folderEntries(bytesOf(fileDirectory_))) {
        const std::string name = displayName(e.name);
        if (!e.directory && !name.starts_with('.') && name.size() > RECORD_SUFFIX.size() &&
            name.ends_with(RECORD_SUFFIX))
            records.emplace_back(QString::fromStdString(name), textOf(e.name));
    }
    std::sort(records.begin(), records.end());
    for (const auto& [name, real] : records) {
        auto* item = new QListWidgetItem(name, files_);
        item->setData(Qt::UserRole, real);
    }
}

void RecordPanel::fillDrives() {
    QFile mounts(QStringLiteral("/proc/self/mounts"));
    QString text;
    if (mounts.open(QIODevice::ReadOnly)) text = QString::fromUtf8(mounts.readAll());
    drives_ = recordDrives(text, QDir::homePath());
    drive_->clear();
    for (const QString& d : drives_) drive_->addItem(d, d);
    showDriveOfDirectory();
}

void RecordPanel::showDriveOfDirectory() {
    const int at = int(drives_.indexOf(driveOf(drives_, directory_)));
    drive_->setCurrentIndex(std::max(0, at));
}

void RecordPanel::fillDirectories() {
    directories_->clear();
    QStyle* style = directories_->style();
    const QIcon open = style->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style->standardIcon(QStyle::SP_DirClosedIcon);
    auto item = [&](QTreeWidgetItem* parent, const QString& name, const QString& path,
                    const QIcon& icon) {
        auto* it = parent ? new QTreeWidgetItem(parent, {name})
                          : new QTreeWidgetItem(directories_, {name});
        it->setData(0, Qt::UserRole, path);
        it->setIcon(0, icon);
        // A directory that cannot be opened is shown, greyed, and cannot be chosen.
        if (!canEnter(path)) it->setFlags(it->flags() & ~Qt::ItemIsEnabled);
        return it;
    };

    // Every directory from the root down to the current one, then the ones inside it.
    QTreeWidgetItem* current = item(nullptr, QStringLiteral("/"), QStringLiteral("/"), open);
    QString path;
    for (const QString& part : directory_.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path += QLatin1Char('/') + part;
        current = item(current, shown(bytesOf(part)), path, open);
    }
    std::vector<std::pair<QString, QString>> subdirectories;  // shown, real
    for (const FolderEntry& e : folderEntries(bytesOf(directory_)))
        if (e.directory && !e.name.starts_with('.'))
            subdirectories.emplace_back(shown(e.name), textOf(e.name));
    std::sort(subdirectories.begin(), subdirectories.end(), [](const auto& a, const auto& b) {
        return a.first.compare(b.first, Qt::CaseInsensitive) < 0;
    });
    const QString base = directory_ == QLatin1String("/") ? QString() : directory_;
    for (const auto& [name, real] : subdirectories)
        item(current, name, base + QLatin1Char('/') + real, closed);
    directories_->expandAll();
    directories_->setCurrentItem(current);
    directories_->scrollToItem(current);
}

void RecordPanel::enter(const QString& path) {
    if (path == directory_ || !setDirectory(path)) return;
    if (onDirectoryChange) onDirectoryChange();
}
