// What a message box leaves behind: the program's own boxes opened one after
// another over a window, each closed once its OK button has been painted, and
// the resident memory printed after 10 and after 1000 of each kind. A box made
// for the thousandth time should cost what the first did.
//   europa-box-memory [BOXES]
// Runs on any Qt platform: under Xvfb from run-bench.sh, or with
// QT_QPA_PLATFORM=offscreen anywhere.

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <optional>

#include "platform/message_box.h"

namespace {

constexpr int kFirstBoxes = 10;
constexpr int kDefaultBoxes = 1000;
constexpr double kTargetMiB = 1.0;

// Closes every box as soon as its OK button has been painted: by then the box
// has made and drawn all it shows.
class PaintedBoxCloser : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            if (auto* box = qobject_cast<QMessageBox*>(watched))
                okButton_ = box->button(QMessageBox::Ok);
        } else if (event->type() == QEvent::Paint && watched == okButton_) {
            QPointer<QMessageBox> box = qobject_cast<QMessageBox*>(okButton_->window());
            okButton_ = nullptr;
            QTimer::singleShot(0, box, [box] { box->accept(); });
        }
        return false;
    }

private:
    QPointer<QAbstractButton> okButton_;
};

double residentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toDouble() / 1024.0;
    }
    return 0;
}

struct BoxKind {
    const char* name;
    const char* text;
    game::BoxStyle style;
    std::optional<QString> title;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int boxes = argc > 1 ? QByteArray(argv[1]).toInt() : kDefaultBoxes;

    QWidget window;
    window.resize(796, 544);
    window.show();
    PaintedBoxCloser closer;
    app.installEventFilter(&closer);

    const BoxKind kinds[] = {
        {"prompt (no icon)", "Click on Romania", game::BoxStyle::Plain, std::nullopt},
        {"instructions (exclamation icon)", "The game ends if it exceeds the 20 errors...",
         game::BoxStyle::Exclamation, QStringLiteral("Attention")},
    };
    std::printf("| Boxes | Resident after %d | after %d | Growth | Target |\n|---|---|---|---|---|\n",
                kFirstBoxes, boxes);
    for (const BoxKind& kind : kinds) {
        double first = 0;
        for (int i = 1; i <= boxes; ++i) {
            platform::showMessageBox(&window, QString::fromUtf8(kind.text), kind.style, kind.title);
            if (i == kFirstBoxes)
                first = residentMiB();
        }
        const double last = residentMiB();
        std::printf("| %s | %.2f MiB | %.2f MiB | %+.2f MiB | %g MiB: %s |\n", kind.name, first,
                    last, last - first, kTargetMiB, last - first <= kTargetMiB ? "met" : "**missed**");
    }
    return 0;
}
