#include "window/menu_bar.h"

#include <QMenu>
#include <QMenuBar>

#include "platform/qt_text.h"
#include "window/fonts.h"
#include "window/window_texts.h"

namespace window {

using platform::fromUtf8;

namespace {
// The classic menu size of eleven pixels, in the face of the window's captions.
constexpr double kMenuPoints = 8.25;
} // namespace

QAction* fillMenuBar(QMenuBar* bar)
{
    const QFont font = captionFont(kMenuPoints);
    bar->setFont(font);
    QAction* instructions = nullptr;
    for (const texts::MenuEntry& entry : texts::kMenuBar) {
        QAction* action = nullptr;
        if (entry.itemCount == 0) {
            action = bar->addAction(fromUtf8(entry.caption));
        } else {
            QMenu* menu = bar->addMenu(fromUtf8(entry.caption));
            menu->setObjectName(fromUtf8(entry.name));
            menu->setFont(font);
            for (int i = 0; i < entry.itemCount; ++i)
                menu->addAction(fromUtf8(entry.items[i].caption))->setObjectName(fromUtf8(entry.items[i].name));
            action = menu->menuAction();
        }
        action->setObjectName(fromUtf8(entry.name));
        if (entry.name == texts::kInstructionsEntry)
            instructions = action;
    }
    return instructions;
}

} // namespace window
