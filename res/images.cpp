#include "res/images.h"

#include "res/resource.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QStandardPaths>
#include <vector>

namespace {

constexpr int kWidth = 16, kHeight = 15;

// Makes the desktop's icon folders and theme known also where the platform plugin does not
// (the offscreen and minimal platforms): a theme-less Qt looks only in its own resources.
void EnsureIconTheme() {
    static bool done = false;
    if (done)
        return;
    done = true;
    QStringList paths = QIcon::themeSearchPaths();
    QStringList dataDirs = QString::fromLocal8Bit(qgetenv("XDG_DATA_DIRS"))
                               .split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (dataDirs.isEmpty())
        dataDirs << QStringLiteral("/usr/local/share") << QStringLiteral("/usr/share");
    for (const QString& dir : dataDirs) {
        const QString icons = QDir(dir).filePath(QStringLiteral("icons"));
        if (!paths.contains(icons) && QFileInfo(icons).isDir())
            paths << icons;
    }
    QIcon::setThemeSearchPaths(paths);
    const QString theme = QIcon::themeName();
    if (theme.isEmpty() || theme == QLatin1String("hicolor")) {
        for (const QString& path : paths) {
            if (QFileInfo(QDir(path).filePath(QStringLiteral("Adwaita/index.theme"))).isFile()) {
                QIcon::setThemeName(QStringLiteral("Adwaita"));
                break;
            }
        }
    }
}

// The theme's names for a command's picture, best first; none where no theme picture fits.
std::vector<const char*> ThemeNames(UINT nID) {
    switch (nID) {
    case ID_FILE_NEW:
        return {"document-new", "document-new-symbolic"};
    case ID_FILE_OPEN:
        return {"document-open", "document-open-symbolic"};
    case ID_FILE_SAVE:
        return {"document-save", "document-save-symbolic"};
    case ID_FILE_SEND_MAIL:
        return {"mail-send", "mail-send-symbolic"};
    case ID_EDIT_CUT:
        return {"edit-cut", "edit-cut-symbolic"};
    case ID_EDIT_COPY:
        return {"edit-copy", "edit-copy-symbolic"};
    case ID_EDIT_PASTE:
        return {"edit-paste", "edit-paste-symbolic"};
    case ID_FORMAT_FONT:
        return {"preferences-desktop-font", "font-select-symbolic",
                "preferences-desktop-font-symbolic"};
    case ID_FORMAT_BOLD:
        return {"format-text-bold", "format-text-bold-symbolic"};
    case ID_FORMAT_ITALIC:
        return {"format-text-italic", "format-text-italic-symbolic"};
    case ID_FORMAT_UNDERLINE:
        return {"format-text-underline", "format-text-underline-symbolic"};
    case ID_PARA_LEFT:
        return {"format-justify-left", "format-justify-left-symbolic"};
    case ID_PARA_CENTER:
        return {"format-justify-center", "format-justify-center-symbolic"};
    case ID_DECREASE_INDENT:
        return {"format-indent-less", "format-indent-less-symbolic"};
    case ID_INCREASE_INDENT:
        return {"format-indent-more", "format-indent-more-symbolic"};
    case ID_FORMAT_BACKCOLOR:
        return {"color-select-symbolic", "preferences-color-symbolic"};
    case ID_APP_ABOUT:
        return {"help-about", "help-about-symbolic"};
    case ID_SCRIPT_PREVIEW:
        return {"document-print-preview", "document-print-preview-symbolic"};
    case ID_ADVANCED_OPTIONS:
        return {"preferences-system", "emblem-system-symbolic", "preferences-system-symbolic"};
    default:
        // Speak, Read, Play and Move have no fitting theme picture: they are drawn.
        return {};
    }
}

QIcon ThemeIcon(UINT nID) {
    EnsureIconTheme();
    for (const char* name : ThemeNames(nID)) {
        QIcon icon = QIcon::fromTheme(QString::fromLatin1(name));
        if (!icon.isNull() && !icon.pixmap(16, 16).isNull())
            return icon;
    }
    return {};
}

const QColor kInk(0x2e, 0x34, 0x36);
const QColor kPaper(Qt::white);
const QColor kAccent(0x1c, 0x71, 0xd8);

void DrawPage(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawRect(QRectF(3.5, 1.5, 9, 12));
}

void DrawLetter(QPainter& p, const QString& letter, bool bold, bool italic, bool underline) {
    QFont font(QStringLiteral("Sans"));
    font.setPixelSize(12);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    p.setFont(font);
    p.setPen(kInk);
    p.drawText(QRect(0, 0, kWidth, kHeight), Qt::AlignCenter, letter);
}

void DrawLines(QPainter& p, bool centred, int indent) {
    p.setPen(QPen(kInk, 1));
    const int widths[] = {12, 8, 12, 6};
    for (int i = 0; i < 4; ++i) {
        const int w = widths[i] - (i % 2 == 1 ? 0 : indent);
        const int x = centred ? (kWidth - w) / 2 : 2 + (i % 2 == 1 ? 0 : indent);
        p.drawLine(x, 2 + 3 * i, x + w - 1, 2 + 3 * i);
    }
}

void DrawArrow(QPainter& p, bool right) {
    QPolygonF head;
    if (right)
        head << QPointF(1, 4) << QPointF(5, 7) << QPointF(1, 10);
    else
        head << QPointF(5, 4) << QPointF(1, 7) << QPointF(5, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawPolygon(head);
}

// A picture for every command, for desktops without an icon theme and for the script commands.
void DrawCommand(QPainter& p, UINT nID) {
    switch (nID) {
    case ID_FILE_NEW:
        DrawPage(p);
        break;
    case ID_FILE_OPEN:
        p.setPen(kInk);
        p.setBrush(QColor(0xf6, 0xd3, 0x2d));
        p.drawRect(QRectF(1.5, 4.5, 13, 8));
        p.drawRect(QRectF(1.5, 2.5, 5, 2));
        break;
    case ID_FILE_SAVE:
        p.setPen(kInk);
        p.setBrush(kAccent);
        p.drawRect(QRectF(1.5, 1.5, 12, 12));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 1.5, 6, 4));
        break;
    case ID_FILE_SEND_MAIL:
        p.setPen(kInk);
        p.setBrush(kPaper);
        p.drawRect(QRectF(1.5, 3.5, 13, 9));
        p.drawLine(QPointF(1.5, 3.5), QPointF(8, 9));
        p.drawLine(QPointF(14.5, 3.5), QPointF(8, 9));
        break;
    case ID_EDIT_CUT:
        p.setPen(kInk);
        p.setBrush(Qt::NoBrush);
        p.drawLine(4, 1, 10, 10);
        p.drawLine(11, 1, 5, 10);
        p.drawEllipse(QRectF(2.5, 10.5, 3, 3));
        p.drawEllipse(QRectF(9.5, 10.5, 3, 3));
        break;
    case ID_EDIT_COPY:
        p.setPen(kInk);
        p.setBrush(kPaper);
        p.drawRect(QRectF(1.5, 1.5, 8, 9));
        p.drawRect(QRectF(5.5, 4.5, 8, 9));
        break;
    case ID_EDIT_PASTE:
        p.setPen(kInk);
        p.setBrush(QColor(0xc6, 0x8d, 0x4a));
        p.drawRect(QRectF(2.5, 2.5, 10, 11));
        p.setBrush(kPaper);
        p.drawRect(QRectF(6.5, 6.5, 7, 7));
        break;
    case ID_FORMAT_FONT:
        DrawLetter(p, QStringLiteral("A"), false, false, false);
        break;
    case ID_FORMAT_BOLD:
        DrawLetter(p, QStringLiteral("B"), true, false, false);
        break;
    case ID_FORMAT_ITALIC:
        DrawLetter(p, QStringLiteral("I"), false, true, false);
        break;
    case ID_FORMAT_UNDERLINE:
        DrawLetter(p, QStringLiteral("U"), false, false, true);
        break;
    case ID_PARA_LEFT:
        DrawLines(p, false, 0);
        break;
    case ID_PARA_CENTER:
        DrawLines(p, true, 0);
        break;
    case ID_DECREASE_INDENT:
        DrawLines(p, false, 5);
        DrawArrow(p, false);
        break;
    case ID_INCREASE_INDENT:
        DrawLines(p, false, 5);
        DrawArrow(p, true);
        break;
    case ID_FORMAT_BACKCOLOR: {
        const QColor colours[] = {QColor(0xe0, 0x1b, 0x24), QColor(0x33, 0xd1, 0x7a),
                                  QColor(0x35, 0x84, 0xe4), QColor(0xf6, 0xd3, 0x2d)};
        for (int i = 0; i < 4; ++i)
            p.fillRect(1 + (i % 2) * 7, 1 + (i / 2) * 7, 6, 6, colours[i]);
        break;
    }
    case ID_APP_ABOUT:
        p.setPen(kInk);
        p.setBrush(kAccent);
        p.drawEllipse(QRectF(1.5, 0.5, 13, 13));
        p.setFont(QFont(QStringLiteral("Sans"), -1, QFont::Bold));
        p.setPen(kPaper);
        p.drawText(QRect(0, 0, kWidth, kHeight - 1), Qt::AlignCenter, QStringLiteral("?"));
        break;
    case ID_SCRIPT_SPEAK: {
        // A speech bubble.
        p.setPen(kInk);
        p.setBrush(kPaper);
        QPainterPath bubble;
        bubble.addRoundedRect(QRectF(0.5, 0.5, 15, 9), 3, 3);
        bubble.moveTo(4, 9.5);
        bubble.lineTo(3, 14);
        bubble.lineTo(8, 9.5);
        p.drawPath(bubble.simplified());
        p.setPen(kAccent);
        p.drawLine(3, 4, 12, 4);
        p.drawLine(3, 6, 9, 6);
        break;
    }
    case ID_SCRIPT_READ: {
        // An open book.
        p.setPen(kInk);
        p.setBrush(kPaper);
        QPolygonF left, right;
        left << QPointF(0.5, 2.5) << QPointF(7.5, 4) << QPointF(7.5, 13.5) << QPointF(0.5, 12);
        right << QPointF(15.5, 2.5) << QPointF(8.5, 4) << QPointF(8.5, 13.5) << QPointF(15.5, 12);
        p.drawPolygon(left);
        p.drawPolygon(right);
        p.setPen(kAccent);
        p.drawLine(2, 6, 6, 7);
        p.drawLine(2, 9, 6, 10);
        p.drawLine(10, 7, 14, 6);
        p.drawLine(10, 10, 14, 9);
        break;
    }
    case ID_SCRIPT_PLAY: {
        // A waving figure.
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(QColor(0xf6, 0xd3, 0x2d));
        p.drawEllipse(QRectF(5.5, 0.5, 5, 5));
        p.drawLine(QPointF(8, 5.5), QPointF(8, 10));
        p.drawLine(QPointF(8, 10), QPointF(5, 14));
        p.drawLine(QPointF(8, 10), QPointF(11, 14));
        p.drawLine(QPointF(8, 7), QPointF(3, 9));
        p.drawLine(QPointF(8, 7), QPointF(13, 3));
        break;
    }
    case ID_SCRIPT_MOVE: {
        // Arrows to the four sides.
        p.setPen(QPen(kAccent, 1.5));
        p.drawLine(QPointF(8, 1), QPointF(8, 14));
        p.drawLine(QPointF(1, 7.5), QPointF(15, 7.5));
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawPolygon(QPolygonF{QPointF(8, 0), QPointF(5, 3), QPointF(11, 3)});
        p.drawPolygon(QPolygonF{QPointF(8, 15), QPointF(5, 12), QPointF(11, 12)});
        p.drawPolygon(QPolygonF{QPointF(0, 7.5), QPointF(3, 4.5), QPointF(3, 10.5)});
        p.drawPolygon(QPolygonF{QPointF(16, 7.5), QPointF(13, 4.5), QPointF(13, 10.5)});
        break;
    }
    case ID_SCRIPT_PREVIEW:
        DrawPage(p);
        p.setPen(QPen(kAccent, 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(6, 6, 5, 5));
        p.drawLine(QPointF(10.5, 10.5), QPointF(14, 14));
        break;
    case ID_ADVANCED_OPTIONS: {
        // A cog.
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.translate(8, 7.5);
        for (int i = 0; i < 8; ++i) {
            p.drawRect(QRectF(-1.5, -7, 3, 4));
            p.rotate(45);
        }
        p.drawEllipse(QPointF(0, 0), 5, 5);
        p.setBrush(kPaper);
        p.drawEllipse(QPointF(0, 0), 2, 2);
        break;
    }
    default:
        DrawPage(p);
        break;
    }
}

std::vector<UINT> BitmapButtons(UINT nIDBitmap) {
    switch (nIDBitmap) {
    case IDB_MAINFRAME:
        return {ID_FILE_NEW,    ID_FILE_OPEN,       ID_FILE_SAVE,        ID_FILE_SEND_MAIL,
                ID_EDIT_CUT,    ID_EDIT_COPY,       ID_EDIT_PASTE,       ID_FORMAT_FONT,
                ID_FORMAT_BOLD, ID_FORMAT_ITALIC,   ID_FORMAT_UNDERLINE, ID_PARA_LEFT,
                ID_PARA_CENTER, ID_DECREASE_INDENT, ID_INCREASE_INDENT,  ID_FORMAT_BACKCOLOR,
                ID_APP_ABOUT};
    case IDB_SCRIPTBAR:
        return {ID_SCRIPT_SPEAK, ID_SCRIPT_READ,    ID_SCRIPT_PLAY,
                ID_SCRIPT_MOVE,  ID_SCRIPT_PREVIEW, ID_ADVANCED_OPTIONS};
    default:
        return {};
    }
}

} // namespace

bool CommandImageFromTheme(UINT nID) {
    return !ThemeIcon(nID).isNull();
}

QPixmap CommandImage(UINT nID) {
    QPixmap image(kWidth, kHeight);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QIcon icon = ThemeIcon(nID);
    if (!icon.isNull()) {
        // A square theme picture of 15 pixels, centred in the 16 by 15 cell.
        icon.paint(&p, QRect(0, 0, kWidth, kHeight), Qt::AlignCenter);
    } else {
        DrawCommand(p, nID);
    }
    return image;
}

QPixmap LoadToolBarBitmap(UINT nIDBitmap) {
    const std::vector<UINT> buttons = BitmapButtons(nIDBitmap);
    if (buttons.empty())
        return {};
    QPixmap strip(kWidth * static_cast<int>(buttons.size()), kHeight);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    for (std::size_t i = 0; i < buttons.size(); ++i)
        p.drawPixmap(static_cast<int>(i) * kWidth, 0, CommandImage(buttons[i]));
    return strip;
}

// The resource file is compiled into the static library, which must register it itself.
static void InitIconResource() {
    Q_INIT_RESOURCE(parlino);
}

QIcon AppIcon() {
    // The picture the desktop shows for the program, rendered from desktop/parlino.svg.
    static const bool registered = (InitIconResource(), true);
    (void)registered;
    return QIcon(QStringLiteral(":/icons/parlino.png"));
}
