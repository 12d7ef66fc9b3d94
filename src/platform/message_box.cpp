#include "platform/message_box.h"

#include <QMessageBox>

namespace platform {

namespace {
int openBoxes = 0;

struct OpenBoxScope {
    OpenBoxScope() { ++openBoxes; }
    ~OpenBoxScope() { --openBoxes; }
    OpenBoxScope(const OpenBoxScope&) = delete;
    OpenBoxScope& operator=(const OpenBoxScope&) = delete;
};
} // namespace

QString applicationTitle()
{
    return QStringLiteral("Europa Quiz");
}

void showMessageBox(QWidget* parent, const QString& text, game::BoxStyle style,
                    const std::optional<QString>& title)
{
    QMessageBox box(style == game::BoxStyle::Exclamation ? QMessageBox::Warning
                                                         : QMessageBox::NoIcon,
                    title.value_or(applicationTitle()), text, QMessageBox::Ok, parent);
    // Texts are shown as written: leading spaces stay, nothing is read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    OpenBoxScope scope;
    box.exec();
}

bool messageBoxOpen()
{
    return openBoxes > 0;
}

} // namespace platform
