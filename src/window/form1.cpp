#include "window/form1.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QTimer>
#include <algorithm>

#include "game/answer_table.h"
#include "platform/event_delivery.h"
#include "platform/one_size.h"
#include "platform/qt_text.h"
#include "window/announcer.h"
#include "window/caption_label.h"
#include "window/control_clicks.h"
#include "window/country_labels.h"
#include "window/fonts.h"
#include "window/form1_layout.h"
#include "window/graphical_button.h"
#include "window/image_control.h"
#include "window/map_box.h"
#include "window/menu_bar.h"
#include "window/pictures.h"
#include "window/spoken_texts.h"

namespace window {

using platform::fromUtf8;

namespace {

constexpr int kTimer1Interval = 20;

// Every label the game answers for has its row in the answer table, and the
// table holds no row that no label uses.
constexpr bool labelsAndAnswersAgree()
{
    for (const CountryLabel& label : kCountryLabels) {
        if (label.hasHandler && game::findAnswer(label.name) == nullptr)
            return false;
    }
    for (const game::AnswerRow& row : game::kAnswers) {
        const bool used = std::any_of(kCountryLabels.begin(), kCountryLabels.end(),
            [&](const CountryLabel& label) { return label.hasHandler && label.name == row.label; });
        if (!used)
            return false;
    }
    return true;
}
static_assert(labelsAndAnswersAgree());

QString windowCaption()
{
    return QString(texts::kCaptionIndent, QLatin1Char(' ')) + fromUtf8(texts::kCaptionWords)
           + fromUtf8(texts::kCaptionSeparator) + fromUtf8(texts::kCredit);
}

} // namespace

Form1::Form1(game::Runtime& runtime, platform::EventDelivery& delivery, QWidget* parent)
    : QMainWindow(parent), delivery_(delivery), quiz_(runtime, *this)
{
    setObjectName(QStringLiteral("Form1"));
    // The window keeps its one size, place and frame: a request to fill the
    // screen or to maximise it is refused.
    platform::keepOneSize(*this);
    delivery_.deliver([this] { quiz_.Form_Initialize(); });
    // Pictures and pointers are made for the screen the window opens on.
    pointers_ = Pointers(devicePixelRatioF());
    loadControls();
}

void Form1::loadControls()
{
    setWindowTitle(windowCaption());
    // A fixed frame: the layout is made for one size, so there is nothing to maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    QAction* istruzioni = fillMenuBar(menuBar());
    onChoice(istruzioni, delivery_, [this] { quiz_.istruzioni_Click(); });

    QWidget* client = loadClientArea();
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // Created from the bottom up: a later sibling lies above an earlier one.
    for (auto image = layout::kImage1.rbegin(); image != layout::kImage1.rend(); ++image) {
        auto* tile = new ImageControl(picture(Picture::FlagTile, devicePixelRatioF()), client);
        tile->setObjectName(QStringLiteral("Image1"));
        tile->setProperty("index", image->index);
        tile->setGeometry(toPixels(image->rect));
    }
    loadWindowLabels(client);
    loadWindowedControls(client);

    // The keyboard visits the controls that can take the focus in the designer's order.
    setTabOrder(Text1, Command3);
    setTabOrder(Command3, Command2);
    setTabOrder(Command2, Picture2);
    Text1->setFocus();

    // Held by the map box as designed: a timer shows nothing, so this sets only its owner.
    Timer1 = new QTimer(Picture2);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kTimer1Interval);
    connect(Timer1, &QTimer::timeout, this, [this] {
        // No tick while a box is open: the end of the game must be told once.
        if (!delivery_.boxOpen())
            delivery_.deliver([this] { quiz_.Timer1_Timer(); });
    });
    Timer1->start();
}

QWidget* Form1::loadClientArea()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFixedSize(toPixels(layout::kClientArea).size());
    client->setBackgroundRole(QPalette::Midlight);
    client->setAutoFillBackground(true);
    client->setCursor(pointers_[PointerPicture::Window]);
    return client;
}

void Form1::loadWindowLabels(QWidget* client)
{
    for (auto placement = layout::kWindowLabels.rbegin(); placement != layout::kWindowLabels.rend(); ++placement)
        makeCaptionLabel(*placement, client);
    lblpunti = client->findChild<QLabel*>(QStringLiteral("lblpunti"));
    lblerrori = client->findChild<QLabel*>(QStringLiteral("lblerrori"));
    // A counter is named for what it counts, by the heading above it.
    counterHeadings_ = {{lblpunti, client->findChild<QLabel*>(QStringLiteral("Label45"))},
                        {lblerrori, client->findChild<QLabel*>(QStringLiteral("Label44"))}};
    for (const auto& [counter, heading] : counterHeadings_)
        counter->setAccessibleName(spokenCount(heading, counter->text()));
    announcer_ = new Announcer(this);
}

void Form1::loadWindowedControls(QWidget* client)
{
    Picture1 = new QWidget(client);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(toPixels(layout::kPicture1));
    Picture1->setBackgroundRole(QPalette::Base);
    Picture1->setForegroundRole(QPalette::Text);
    Picture1->setAutoFillBackground(true);
    Picture1->hide();

    Picture2 = new MapBox(pointers_, [this](const CountryLabel& label) { countryLabelClick(label); },
                          client);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setGeometry(toPixels(layout::kPicture2));
    Picture2->setCursor(pointers_[PointerPicture::Globe]);
    Picture2->setFocusPolicy(Qt::TabFocus);
    Picture2->setAccessibleName(fromUtf8(spoken::kMapName));
    Picture2->setAccessibleDescription(fromUtf8(spoken::kMapDescription));
    loadMapContents(Picture2->innerArea());

    Command1 = new GraphicalButton(fromUtf8(texts::kCommand1), QColor(layout::kPaleCyan),
                                   QImage(), client);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(toPixels(layout::kCommand1));
    Command1->setFont(captionFont(layout::kCommand1Points, QFont::Bold));
    Command1->setToolTip(fromUtf8(texts::kCommand1Tip));
    Command1->setEnabled(false);
    Command1->hide();

    Text1 = new QLineEdit(fromUtf8(texts::kText1), client);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(toPixels(layout::kText1));
    Text1->setFont(captionFont(layout::kText1Points));
    QPalette blackOnBlack = Text1->palette();
    blackOnBlack.setColor(QPalette::Text, QColor(layout::kBlack));
    blackOnBlack.setColor(QPalette::Base, QColor(layout::kBlack));
    Text1->setPalette(blackOnBlack);
    // Kept in the keyboard order and in the accessibility tree: a stop a
    // screen reader passed in silence would leave a listener lost there.
    Text1->setAccessibleName(fromUtf8(spoken::kText1Name));
    Text1->setAccessibleDescription(fromUtf8(spoken::kText1Description));

    Command3 = new GraphicalButton(fromUtf8(texts::kCommand3), QColor(layout::kWhite),
                                   picture(Picture::ExitFlag, devicePixelRatioF()), client);
    Command3->setObjectName(QStringLiteral("Command3"));
    Command3->setGeometry(toPixels(layout::kCommand3));
    Command3->setFont(captionFont(layout::kCommand3Points));
    Command3->setToolTip(fromUtf8(texts::kCommand3Tip));
    Command3->setCursor(pointers_[PointerPicture::Hand]);
    // Enter presses the exit button while it has the focus, as with any push button.
    Command3->setAutoDefault(true);
    onClick(Command3, delivery_, [this] { quiz_.Command3_Click(); });

    Command2 = new GraphicalButton(fromUtf8(texts::kCommand2), QColor(layout::kCyan),
                                   picture(Picture::Car, devicePixelRatioF()), client);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(toPixels(layout::kCommand2));
    Command2->setFont(captionFont(layout::kCommand2Points));
    Command2->setCursor(Qt::ArrowCursor);
    Command2->setDefault(true);
    onClick(Command2, delivery_, [this] { quiz_.Command2_Click(); });
}

void Form1::loadMapContents(QWidget* map)
{
    lblreg = makeCaptionLabel(layout::kLblreg, map);
    lblreg->setWordWrap(false);
    Label42 = makeCaptionLabel(layout::kLabel42, map);
    // The prompt line takes no clicks: the map beneath routes them, and the
    // pointer over it is the map's.
    for (QLabel* prompt : {lblreg, Label42})
        prompt->setAttribute(Qt::WA_TransparentForMouseEvents);
}

// The click handler of a country label: the members of the group Label50 pass
// their index, every other label answers with its own row of the answer table.
void Form1::countryLabelClick(const CountryLabel& label)
{
    if (label.groupIndex >= 0) {
        const auto index = static_cast<std::int16_t>(label.groupIndex);
        delivery_.deliver([this, index] { quiz_.Label50_Click(index); });
    } else if (const game::AnswerRow* row = game::findAnswer(label.name)) {
        delivery_.deliver([this, row] { quiz_.labelClick(*row); });
    }
}

void Form1::keyPressEvent(QKeyEvent* event)
{
    const bool plain = event->modifiers() == Qt::NoModifier
                       || (event->modifiers() == Qt::KeypadModifier && event->key() == Qt::Key_Enter);
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (plain && enter && Command2->isVisible()) {
        if (Command2->isEnabled())
            Command2->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void Form1::setLblreg(std::string_view caption)
{
    lblreg->setText(fromUtf8(caption));
    // A long name grows to the right on one line rather than being cut.
    const QRect design = toPixels(layout::kLblreg.rect);
    const QSize needed = lblreg->sizeHint();
    lblreg->resize(std::max(design.width(), needed.width()),
                   caption.empty() ? design.height() : std::max(design.height(), needed.height()));
}

QString Form1::spokenCount(const QLabel* heading, const QString& value)
{
    return heading->text() + QLatin1Char(' ') + value;
}

// The timer writes both counters fifty times a second: a new value is told
// once, as it appears, with what it counts ("WRONG 3").
void Form1::showCount(QLabel* counter, std::string_view caption)
{
    const QString value = fromUtf8(caption);
    if (value == counter->text())
        return;
    counter->setText(value);
    counter->setAccessibleName(spokenCount(counterHeadings_.at(counter), value));
    announcer_->announce(counter->accessibleName());
}

void Form1::setLblpunti(std::string_view caption) { showCount(lblpunti, caption); }
void Form1::setLblerrori(std::string_view caption) { showCount(lblerrori, caption); }
void Form1::setCommand2Visible(bool visible) { Command2->setVisible(visible); }

// Nothing is ever drawn on the window at run time, so there is nothing to clear.
void Form1::cls() {}

} // namespace window
