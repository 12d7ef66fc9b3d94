#include "platform/message_box.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QLayout>
#include <QMessageBox>
#include <QtMath>

namespace platform {

namespace {
int openBoxes = 0;

struct OpenBoxScope {
    OpenBoxScope() { ++openBoxes; }
    ~OpenBoxScope() { --openBoxes; }
    OpenBoxScope(const OpenBoxScope&) = delete;
    OpenBoxScope& operator=(const OpenBoxScope&) = delete;
};

// The window manager draws the title in a font of its own that the program
// cannot know: commonly bold and somewhat larger than the application's.
constexpr double kTitleFontGrowth = 1.25;
// Beside the title: the window icon and three buttons, whatever the box asks
// for (some managers draw a layout of their own). Many centre the title and
// keep as much room on the icon's side as on the buttons': three controls'
// room on either side, each a square of the title bar's height, about one
// and a half lines of the title font.
constexpr int kControlsBesideTitle = 6;
constexpr double kControlWidthPerLine = 1.5;

QFont likelyTitleFont()
{
    QFont font = QApplication::font();
    font.setBold(true);
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * kTitleFontGrowth);
    else
        font.setPixelSize(qCeil(font.pixelSize() * kTitleFontGrowth));
    return font;
}

// A box whose title bar shows its whole title: never narrower than the title
// needs beside the title bar's controls. Its text, icon and button stay as
// the toolkit lays them out; only the room beside them grows.
class TitledBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    bool event(QEvent* event) override
    {
        // The toolkit sizes the box to its contents when it shows and on every
        // new layout; the title's width is applied after it.
        const bool handled = QMessageBox::event(event);
        if (event->type() == QEvent::Show || event->type() == QEvent::LayoutRequest)
            widenForTitle();
        return handled;
    }

private:
    void widenForTitle()
    {
        const int needed = titleBarWidth(windowTitle());
        if (width() >= needed)
            return;
        const int height = layout() != nullptr && layout()->hasHeightForWidth()
                               ? layout()->totalHeightForWidth(needed)
                               : this->height();
        setFixedSize(needed, height);
    }
};

void runBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text)
{
    TitledBox box(icon, title, text, QMessageBox::Ok, parent);
    // Texts are shown as written: leading spaces stay, nothing is read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    OpenBoxScope scope;
    box.exec();
}
} // namespace

QString applicationTitle()
{
    return QStringLiteral("Europa Quiz");
}

int titleBarWidth(const QString& title)
{
    const QFontMetrics metrics(likelyTitleFont());
    const int control = qCeil(metrics.height() * kControlWidthPerLine);
    return metrics.horizontalAdvance(title) + kControlsBesideTitle * control;
}

void showMessageBox(QWidget* parent, const QString& text, game::BoxStyle style,
                    const std::optional<QString>& title)
{
    runBox(parent, style == game::BoxStyle::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
           title.value_or(applicationTitle()), text);
}

void showRunTimeErrorBox(const QString& text)
{
    runBox(nullptr, QMessageBox::Critical, applicationTitle(), text);
}

bool messageBoxOpen()
{
    return openBoxes > 0;
}

} // namespace platform
