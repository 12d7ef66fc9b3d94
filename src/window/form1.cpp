#include "window/form1.h"

#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include "platform/event_delivery.h"
#include "platform/message_box.h"
#include "platform/qt_runtime.h"

namespace window {

namespace {
QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
} // namespace

Form1::Form1(platform::QtRuntime& runtime, QWidget* parent)
    : QMainWindow(parent), quiz_(runtime, *this)
{
    runtime.setDialogParent(this);
    platform::deliver([this] { quiz_.Form_Initialize(); });
    loadControls();
}

void Form1::loadControls()
{
    auto* client = new QWidget(this);
    client->setFixedSize(796, 544);
    setCentralWidget(client);

    QAction* istruzioni = menuBar()->addAction(QStringLiteral("Instructions"));
    connect(istruzioni, &QAction::triggered, this,
            [this] { platform::deliver([this] { quiz_.istruzioni_Click(); }); });

    lblreg = new QLabel(client);
    lblreg->setGeometry(128, 0, 300, 28);
    lblpunti = new QLabel(QStringLiteral("0"), client);
    lblpunti->setGeometry(664, 256, 105, 81);
    lblerrori = new QLabel(QStringLiteral("0"), client);
    lblerrori->setGeometry(704, 448, 57, 49);

    Command2 = new QPushButton(
        QStringLiteral("Click on me to travel among the States of our dear Europe"), client);
    Command2->setGeometry(624, 0, 177, 185);
    connect(Command2, &QPushButton::clicked, this,
            [this] { platform::deliver([this] { quiz_.Command2_Click(); }); });

    Command3 = new QPushButton(QStringLiteral("EXIT"), client);
    Command3->setGeometry(624, 344, 177, 42);
    connect(Command3, &QPushButton::clicked, this,
            [this] { platform::deliver([this] { quiz_.Command3_Click(); }); });

    Timer1 = new QTimer(this);
    Timer1->setInterval(20);
    connect(Timer1, &QTimer::timeout, this, [this] {
        // No tick while a box is open: the end of the game must be told once.
        if (!platform::messageBoxOpen())
            platform::deliver([this] { quiz_.Timer1_Timer(); });
    });
    Timer1->start();
}

void Form1::setLblreg(std::string_view caption) { lblreg->setText(fromUtf8(caption)); }
void Form1::setLblpunti(std::string_view caption) { lblpunti->setText(fromUtf8(caption)); }
void Form1::setLblerrori(std::string_view caption) { lblerrori->setText(fromUtf8(caption)); }
void Form1::setCommand2Visible(bool visible) { Command2->setVisible(visible); }
void Form1::cls() {}

} // namespace window
