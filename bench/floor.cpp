// The toolkit's floor: the least a Qt Widgets program of the quiz's shape
// costs. A menu bar, a fixed 796 by 544 client area, one button where the
// quiz has its car button, a modal box behind it and a 20 ms timer that
// changes nothing. The benchmarks quote the quiz as multiples of this.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Floor"));

    QMainWindow window;
    window.menuBar()->addAction(QStringLiteral("Instructions"));
    auto* client = new QWidget(&window);
    client->setFixedSize(796, 544);
    window.setCentralWidget(client);

    auto* button = new QPushButton(QStringLiteral("Click on me"), client);
    button->setGeometry(624, 0, 177, 185);
    QObject::connect(button, &QPushButton::clicked, &window, [&window] {
        QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(),
                        QStringLiteral("Click on Romania"), QMessageBox::Ok, &window);
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
    });

    int ticks = 0;
    QTimer timer;
    timer.setInterval(20);
    QObject::connect(&timer, &QTimer::timeout, &window, [&ticks] { ++ticks; });
    timer.start();

    window.show();
    return QApplication::exec();
}
